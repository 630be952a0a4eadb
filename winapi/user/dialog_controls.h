// What the parts of the dialog manager share about a dialog and its
// controls.
#pragma once

#include "winapi/user/dialog_state.h"
#include "winapi/user/window.h"

#include <windows.h>

#include <memory>
#include <vector>

namespace winapi::user {

// The dialog manager's state of a dialog window; null for any other window.
std::shared_ptr<DialogState> DialogStateOf(HWND hwnd);

// The dialog's controls that take the focus by Tab: visible, enabled and
// WS_TABSTOP, in creation order.
std::vector<HWND> TabStops(HWND dialog);

bool IsPushButton(Window const& window);

// Sends the dialog BN_CLICKED from `button`, if the button is enabled.
void ClickButton(HWND dialog, HWND button);

}
