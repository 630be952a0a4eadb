// The keyboard in a dialog: IsDialogMessageA's Tab, Escape, Enter and
// mnemonics, and finding a dialog's controls.
#include "winapi/user/dialog_controls.h"
#include "winapi/user/window.h"

#include <algorithm>
#include <cctype>
#include <optional>
#include <string>

using namespace winapi::user;

namespace {

HWND NextTabStop(HWND dialog, HWND from, bool backwards)
{
    std::vector<HWND> const stops = TabStops(dialog);
    if (stops.empty())
        return nullptr;
    auto const at = std::find(stops.begin(), stops.end(), from);
    if (at == stops.end())
        return stops.front();
    auto index = static_cast<std::size_t>(at - stops.begin());
    index = backwards ? (index + stops.size() - 1) % stops.size() : (index + 1) % stops.size();
    return stops[index];
}

// The mnemonic of a control text: the character after a single "&".
std::optional<char> MnemonicOf(std::string const& text)
{
    for (std::size_t i = 0; i + 1 < text.size(); ++i) {
        if (text[i] != '&')
            continue;
        if (text[i + 1] == '&') {
            ++i;
            continue;
        }
        return static_cast<char>(std::tolower(static_cast<unsigned char>(text[i + 1])));
    }
    return std::nullopt;
}

}

BOOL WINAPI IsDialogMessageA(HWND hDlg, LPMSG lpMsg)
{
    if (!lpMsg || !FindWindow(hDlg) || !IsSameOrDescendant(lpMsg->hwnd, hDlg))
        return FALSE;

    if (lpMsg->message == WM_KEYDOWN) {
        LRESULT const code = SendMessageA(lpMsg->hwnd, WM_GETDLGCODE, lpMsg->wParam, reinterpret_cast<LPARAM>(lpMsg));
        if (!(code & DLGC_WANTMESSAGE)) {
            switch (lpMsg->wParam) {
            case VK_TAB:
                if (!(code & DLGC_WANTTAB)) {
                    if (HWND next = NextTabStop(hDlg, lpMsg->hwnd, GetKeyState(VK_SHIFT) < 0))
                        SetFocus(next);
                    return TRUE;
                }
                break;
            case VK_ESCAPE:
                SendMessageA(hDlg, WM_COMMAND, IDCANCEL, reinterpret_cast<LPARAM>(GetDlgItem(hDlg, IDCANCEL)));
                return TRUE;
            case VK_RETURN: {
                auto const* focus = FindWindow(lpMsg->hwnd);
                if (lpMsg->hwnd != hDlg && focus && (code & (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON))) {
                    ClickButton(hDlg, lpMsg->hwnd);
                    return TRUE;
                }
                LRESULT const defaultId = SendMessageA(hDlg, DM_GETDEFID, 0, 0);
                if (HIWORD(defaultId) == DC_HASDEFID) {
                    HWND const button = GetDlgItem(hDlg, LOWORD(defaultId));
                    if (!button || IsWindowEnabled(button))
                        SendMessageA(hDlg, WM_COMMAND, MAKEWPARAM(LOWORD(defaultId), BN_CLICKED), reinterpret_cast<LPARAM>(button));
                } else {
                    SendMessageA(hDlg, WM_COMMAND, IDOK, reinterpret_cast<LPARAM>(GetDlgItem(hDlg, IDOK)));
                }
                return TRUE;
            }
            default:
                break;
            }
        }
    } else if (lpMsg->message == WM_CHAR || lpMsg->message == WM_SYSCHAR) {
        // A control's mnemonic presses it.
        char const typed = static_cast<char>(std::tolower(static_cast<int>(lpMsg->wParam & 0xFF)));
        for (HWND child : Windows().ChildrenOf(hDlg)) {
            auto const* control = FindWindow(child);
            if (IsPushButton(*control) && control->visible && MnemonicOf(control->text) == typed) {
                ClickButton(hDlg, child);
                return TRUE;
            }
        }
    }
    TranslateMessage(lpMsg);
    DispatchMessageA(lpMsg);
    return TRUE;
}

HWND WINAPI GetDlgItem(HWND hDlg, int nIDDlgItem)
{
    if (!FindWindow(hDlg))
        return nullptr;
    for (HWND child : Windows().ChildrenOf(hDlg)) {
        if (FindWindow(child)->controlId == nIDDlgItem)
            return child;
    }
    return nullptr;
}

int WINAPI GetDlgCtrlID(HWND hWnd)
{
    auto const* window = FindWindow(hWnd);
    return window && window->IsChild() ? window->controlId : 0;
}
