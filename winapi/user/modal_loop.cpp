// The modal loop of a dialog: DialogBoxParamA runs it, EndDialog ends it.
#include "winapi/resources/module_resources.h"
#include "winapi/user/dialog_controls.h"
#include "winapi/user/dialog_manager.h"
#include "winapi/user/window.h"

#include <algorithm>
#include <new>

using namespace winapi::user;

namespace {

std::vector<HWND> g_modalDialogs;

// Whether any message but WM_TIMER can be retrieved now.
bool NonTimerMessageWaiting()
{
    MSG probe {};
    return PeekMessageA(&probe, nullptr, 0, WM_TIMER - 1, PM_NOREMOVE)
        || PeekMessageA(&probe, nullptr, WM_TIMER + 1, 0xFFFFFFFF, PM_NOREMOVE);
}

}

namespace winapi::user {

INT_PTR RunModalLoop(HWND dialog)
{
    auto const state = DialogStateOf(dialog);
    if (!state)
        return -1;
    g_modalDialogs.push_back(dialog);
    HWND const owner = FindWindow(dialog)->owner;
    bool const idleMessages = !(FindWindow(dialog)->style & DS_NOIDLEMSG);

    MSG msg {};
    while (!state->ended && IsWindow(dialog)) {
        // With a timer whose handler outlasts its period, a timer message
        // is always due and the queue never runs dry: the dialog appears as
        // soon as nothing but timer messages is left.
        if (!IsWindowVisible(dialog) && !NonTimerMessageWaiting())
            ShowWindow(dialog, SW_SHOWNORMAL);
        if (!PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            // A dialog appears once its queue first runs dry.
            if (!IsWindowVisible(dialog))
                ShowWindow(dialog, SW_SHOWNORMAL);
            if (owner && idleMessages)
                SendMessageA(owner, WM_ENTERIDLE, MSGF_DIALOGBOX, reinterpret_cast<LPARAM>(dialog));
            if (state->ended || !IsWindow(dialog))
                break;
            if (!GetMessageA(&msg, nullptr, 0, 0)) {
                PostQuitMessage(static_cast<int>(msg.wParam));
                break;
            }
        }
        if (!IsWindow(dialog))
            break;
        if (!state->ended && !IsDialogMessageA(dialog, &msg)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
    }

    std::erase(g_modalDialogs, dialog);
    if (state->disabledOwner) {
        EnableWindow(state->disabledOwner, TRUE);
        state->disabledOwner = nullptr;
    }
    if (IsWindow(dialog))
        DestroyWindow(dialog);
    return state->result;
}

std::vector<HWND> const& OpenModalDialogs()
{
    return g_modalDialogs;
}

}

BOOL WINAPI EndDialog(HWND hDlg, INT_PTR nResult)
{
    auto* window = FindWindow(hDlg);
    if (!window || !window->dialog)
        return FALSE;
    auto const state = window->dialog;
    state->result = nResult;
    state->ended = true;
    if (state->disabledOwner) {
        EnableWindow(state->disabledOwner, TRUE);
        state->disabledOwner = nullptr;
    }
    if ((window = FindWindow(hDlg)) != nullptr) {
        window->visible = false;
        window->style &= ~static_cast<DWORD>(WS_VISIBLE);
        if (window->frame)
            window->frame->hide();
    }
    // Wakes the modal loop.
    PostMessageA(hDlg, WM_NULL, 0, 0);
    return TRUE;
}

INT_PTR WINAPI DialogBoxParamA(HINSTANCE hInstance, LPCSTR lpTemplateName, HWND hWndParent, DLGPROC lpDialogFunc,
    LPARAM dwInitParam)
try {
    if (hWndParent && !FindWindow(hWndParent))
        return -1;
    auto const dialogTemplate = winapi::resources::LoadDialogTemplate(hInstance, lpTemplateName);
    if (!dialogTemplate)
        return -1;
    DialogBlueprint const blueprint = DialogBlueprintFromTemplate(*dialogTemplate, hInstance);
    HWND const dialog = CreateModalDialog(blueprint, hWndParent, hInstance, lpDialogFunc, dwInitParam);
    if (!dialog)
        return -1;
    return RunModalLoop(dialog);
}
catch (std::bad_alloc const&) {
    // No memory for the dialog's window or its controls.
    return -1;
}
