// Turns Qt key events into the key messages Win32 posts for them.
#pragma once

#include <windows.h>

#include <QKeyEvent>

namespace winapi::user {

// Posts WM_KEYDOWN / WM_KEYUP, or WM_SYSKEYDOWN / WM_SYSKEYUP while Alt is
// held without Ctrl (and for F10), to `target`. The virtual-key code goes in
// wParam; lParam carries the repeat count 1, the extended-key bit, the
// context bit (Alt held), the previous key state and the transition state.
// Returns false for keys that have no virtual-key code.
bool PostKeyEvent(HWND target, QKeyEvent const& event);

}
