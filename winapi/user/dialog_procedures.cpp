// The window procedures of the system's classes: dialogs, buttons and
// statics.
#include "winapi/user/dialog_controls.h"
#include "winapi/user/guarded_call.h"
#include "winapi/user/system_classes.h"
#include "winapi/user/window.h"

namespace winapi::user {

LRESULT CALLBACK DialogWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto const state = DialogStateOf(hwnd);
    if (state && state->procedureActive && state->procedure) {
        state->messageResult = 0;
        DLGPROC const procedure = state->procedure;
        INT_PTR const handled = CallGuarded([&] { return procedure(hwnd, message, wParam, lParam); });
        if (handled) {
            switch (message) {
            case WM_INITDIALOG:
            case WM_GETDLGCODE:
                return handled;
            default:
                return state->messageResult;
            }
        }
        if (!IsWindow(hwnd))
            return 0;
    }
    switch (message) {
    case WM_CLOSE:
        // The close box and Alt+F4 cancel a dialog.
        PostMessageA(hwnd, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(hwnd, IDCANCEL)));
        return 0;
    case WM_ERASEBKGND:
        return 1;
    case WM_NCDESTROY:
        // A modal loop waiting for messages learns that its dialog is gone.
        if (state && !state->ended)
            PostMessageA(nullptr, WM_NULL, 0, 0);
        return DefWindowProcA(hwnd, message, wParam, lParam);
    case DM_GETDEFID:
        for (HWND child : Windows().ChildrenOf(hwnd)) {
            auto const* control = FindWindow(child);
            if (IsPushButton(*control) && (control->style & BS_TYPEMASK) == BS_DEFPUSHBUTTON)
                return MAKELONG(control->controlId, DC_HASDEFID);
        }
        return 0;
    case WM_INITDIALOG:
    case WM_COMMAND:
        return 0;
    default:
        return DefWindowProcA(hwnd, message, wParam, lParam);
    }
}

LRESULT CALLBACK ButtonWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto const* window = FindWindow(hwnd);
    if (!window)
        return 0;
    switch (message) {
    case WM_GETDLGCODE: {
        LRESULT code = DLGC_BUTTON;
        if (IsPushButton(*window))
            code |= (window->style & BS_TYPEMASK) == BS_DEFPUSHBUTTON ? DLGC_DEFPUSHBUTTON : DLGC_UNDEFPUSHBUTTON;
        return code;
    }
    case BM_CLICK:
        ClickButton(window->parent, hwnd);
        return 0;
    case WM_KEYUP:
        if (wParam == VK_SPACE)
            ClickButton(window->parent, hwnd);
        return 0;
    default:
        return DefWindowProcA(hwnd, message, wParam, lParam);
    }
}

LRESULT CALLBACK StaticWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_GETDLGCODE)
        return DLGC_STATIC;
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

}
