// The dialog manager: building a dialog window from its blueprint and running
// the modal loop, for DialogBoxParamA and MessageBoxA.
#pragma once

#include "winapi/user/dialog_blueprint.h"

#include <windows.h>

namespace winapi::user {

// Makes the dialog window and its controls, disables the owner (a modal
// dialog's owner gets no input until it ends), sends WM_INITDIALOG first to
// the dialog procedure and puts the focus on the first control with a tab
// stop when it returns TRUE. The dialog shows when its loop first idles,
// unless WS_VISIBLE shows it at once. Null on failure, with the owner
// enabled again.
HWND CreateModalDialog(DialogBlueprint const& blueprint, HWND owner, HINSTANCE instance, DLGPROC procedure, LPARAM parameter);

// Runs the modal loop until EndDialog, the dialog's destruction or WM_QUIT
// (which is posted again for the loop outside), then destroys the dialog
// and returns EndDialog's value (0 without one).
INT_PTR RunModalLoop(HWND dialog);

// The open modal dialogs, innermost last.
std::vector<HWND> const& OpenModalDialogs();

}
