// Enabling and disabling windows: EnableWindow and IsWindowEnabled.
#include "winapi/user/window.h"

#include <windows.h>

using namespace winapi::user;

BOOL WINAPI EnableWindow(HWND hWnd, BOOL bEnable)
{
    auto* window = FindWindow(hWnd);
    if (!window)
        return FALSE;
    bool const wasDisabled = !window->enabled;
    bool const enable = bEnable != FALSE;
    if (enable == window->enabled)
        return wasDisabled ? TRUE : FALSE;
    window->enabled = enable;
    if (enable)
        window->style &= ~static_cast<DWORD>(WS_DISABLED);
    else
        window->style |= WS_DISABLED;
    // A control greys; a top-level window keeps its looks and its Qt state
    // (its dialogs are Qt children of it), and simply takes no input.
    if (window->IsChild() && window->widget)
        window->widget->setEnabled(enable);
    SendMessageA(hWnd, WM_ENABLE, enable ? TRUE : FALSE, 0);
    return wasDisabled ? TRUE : FALSE;
}

BOOL WINAPI IsWindowEnabled(HWND hWnd)
{
    auto const* window = FindWindow(hWnd);
    return window && window->enabled ? TRUE : FALSE;
}
