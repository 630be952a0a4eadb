// Destroying windows: DestroyWindow, with its owned windows and children.
#include "winapi/user/message_queue.h"
#include "winapi/user/timers.h"
#include "winapi/user/window.h"
#include "winapi/user/window_dc.h"

#include <windows.h>

using namespace winapi::user;

namespace {

void SendTreeDestroy(HWND hwnd)
{
    SendMessageA(hwnd, WM_DESTROY, 0, 0);
    for (HWND child : Windows().ChildrenOf(hwnd))
        SendTreeDestroy(child);
}

void SendTreeNcDestroy(HWND hwnd)
{
    for (HWND child : Windows().ChildrenOf(hwnd))
        SendTreeNcDestroy(child);
    SendMessageA(hwnd, WM_NCDESTROY, 0, 0);
}

void ReleaseTree(HWND hwnd)
{
    for (HWND child : Windows().ChildrenOf(hwnd))
        ReleaseTree(child);
    auto* window = FindWindow(hwnd);
    if (!window)
        return;
    Timers().KillAllOf(hwnd);
    Queue().RemoveMessagesFor(hwnd);
    ReleaseAllWindowDCs(*window);
    if (!window->IsChild() && window->frame) {
        window->frame->hide();
        delete window->frame.data();
    } else if (window->widget && window->widget != window->frame) {
        delete window->widget.data();
    }
    Windows().Remove(hwnd);
}

void MarkTreeDestroying(HWND hwnd)
{
    if (auto* window = FindWindow(hwnd))
        window->destroying = true;
    for (HWND child : Windows().ChildrenOf(hwnd))
        MarkTreeDestroying(child);
}

}

BOOL WINAPI DestroyWindow(HWND hWnd)
{
    auto* window = FindWindow(hWnd);
    if (!window)
        return FALSE;
    if (window->destroying)
        return TRUE;
    MarkTreeDestroying(hWnd);

    // Owned windows go first, as their owner cannot outlive them.
    for (HWND owned : Windows().OwnedBy(hWnd))
        DestroyWindow(owned);

    if ((window = FindWindow(hWnd)) != nullptr) {
        window->visible = false;
        window->style &= ~static_cast<DWORD>(WS_VISIBLE);
        if (window->frame && !window->IsChild())
            window->frame->hide();
    }
    SendTreeDestroy(hWnd);
    SendTreeNcDestroy(hWnd);
    ReleaseTree(hWnd);
    return TRUE;
}
