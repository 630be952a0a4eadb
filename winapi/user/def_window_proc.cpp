// The default window procedure.

#include "winapi/user/window.h"
#include "winapi/user/window_text.h"

#include <windows.h>

#include <algorithm>
#include <cstring>

using namespace winapi::user;

namespace {

LRESULT CopyText(Window const& window, WPARAM capacity, LPARAM buffer)
{
    auto* out = reinterpret_cast<char*>(buffer);
    if (!out || capacity == 0)
        return 0;
    std::size_t const length = std::min<std::size_t>(window.text.size(), capacity - 1);
    std::memcpy(out, window.text.data(), length);
    out[length] = '\0';
    return static_cast<LRESULT>(length);
}

}

LRESULT WINAPI DefWindowProcA(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam)
{
    auto* window = FindWindow(hWnd);
    if (!window)
        return 0;
    switch (Msg) {
    case WM_NCCREATE:
        return TRUE;
    case WM_CLOSE:
        DestroyWindow(hWnd);
        return 0;
    case WM_SYSCOMMAND:
        if ((wParam & 0xFFF0) == SC_CLOSE)
            SendMessageA(hWnd, WM_CLOSE, 0, 0);
        return 0;
    case WM_SYSKEYDOWN:
        // Alt+F4 closes the window.
        if (wParam == VK_F4 && (lParam & (1 << 29)))
            PostMessageA(hWnd, WM_SYSCOMMAND, SC_CLOSE, 0);
        return 0;
    case WM_PAINT: {
        PAINTSTRUCT paint;
        if (BeginPaint(hWnd, &paint))
            EndPaint(hWnd, &paint);
        return 0;
    }
    case WM_ERASEBKGND: {
        HBRUSH const background = window->windowClass ? window->windowClass->background : nullptr;
        if (!background || !wParam)
            return 0;
        RECT client;
        GetClientRect(hWnd, &client);
        FillRect(reinterpret_cast<HDC>(wParam), &client, background);
        return 1;
    }
    case WM_SETTEXT:
        window->text = lParam ? reinterpret_cast<char const*>(lParam) : "";
        ApplyWindowText(*window);
        return TRUE;
    case WM_GETTEXT:
        return CopyText(*window, wParam, lParam);
    case WM_GETTEXTLENGTH:
        return static_cast<LRESULT>(window->text.size());
    default:
        return 0;
    }
}
