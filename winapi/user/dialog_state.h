// What the dialog manager keeps for a dialog window.
#pragma once

#include <windows.h>

namespace winapi::user {

struct DialogState {
    DLGPROC procedure = nullptr;
    // The dialog procedure sees messages only once the dialog is built, as
    // in Win32, where it is attached after the window's creation.
    bool procedureActive = false;
    INT_PTR result = 0;
    bool ended = false;
    // The owner a modal dialog disabled, to be enabled again at its end.
    HWND disabledOwner = nullptr;
    // DWLP_MSGRESULT: what a handled message returns.
    LONG_PTR messageResult = 0;
};

}
