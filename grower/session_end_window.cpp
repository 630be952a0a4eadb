#include "grower/session_end_window.h"

#include <windows.h>

namespace {

void (*g_onSessionEnd)() = nullptr;

LRESULT CALLBACK SessionEndWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_QUERYENDSESSION:
        return TRUE;
    case WM_ENDSESSION:
        if (wParam)
            g_onSessionEnd();
        return 0;
    default:
        return DefWindowProcW(window, message, wParam, lParam);
    }
}

struct Start {
    HANDLE made;
    bool ok;
};

DWORD WINAPI RunSessionEndWindow(void* parameter)
{
    Start& start = *static_cast<Start*>(parameter);
    HINSTANCE const instance = GetModuleHandleW(nullptr);
    WNDCLASSW windowClass {};
    windowClass.lpfnWndProc = SessionEndWindowProc;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = SESSION_END_WINDOW_CLASS;
    HWND const window = RegisterClassW(&windowClass)
        ? CreateWindowExW(0, SESSION_END_WINDOW_CLASS, L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, instance, nullptr)
        : nullptr;
    start.ok = window != nullptr;
    SetEvent(start.made);
    if (!window)
        return 0;
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0)
        DispatchMessageW(&message);
    return 0;
}

}

bool WatchForSessionEnd(void (*onSessionEnd)())
{
    g_onSessionEnd = onSessionEnd;
    Start start { CreateEventW(nullptr, TRUE, FALSE, nullptr), false };
    if (!start.made)
        return false;
    HANDLE const thread = CreateThread(nullptr, 0, RunSessionEndWindow, &start, 0, nullptr);
    if (thread) {
        WaitForSingleObject(start.made, INFINITE);
        CloseHandle(thread);
    }
    CloseHandle(start.made);
    return thread && start.ok;
}
