// Showing and hiding windows: ShowWindow and IsWindowVisible, and
// UpdateWindow, which sends a visible window its pending WM_PAINT.
#include "winapi/user/paint_region.h"
#include "winapi/user/window.h"

#include <windows.h>

#include <QGuiApplication>

using namespace winapi::user;

BOOL WINAPI ShowWindow(HWND hWnd, int nCmdShow)
{
    auto* window = FindWindow(hWnd);
    if (!window)
        return FALSE;
    bool const wasVisible = window->visible;
    bool const show = nCmdShow != SW_HIDE;
    if (show != wasVisible)
        SendMessageA(hWnd, WM_SHOWWINDOW, show ? TRUE : FALSE, 0);
    if (!(window = FindWindow(hWnd)))
        return wasVisible ? TRUE : FALSE;

    window->visible = show;
    if (show)
        window->style |= WS_VISIBLE;
    else
        window->style &= ~static_cast<DWORD>(WS_VISIBLE);

    QWidget* widget = window->IsChild() ? window->widget.data() : window->frame.data();
    if (widget) {
        switch (nCmdShow) {
        case SW_HIDE:
            widget->hide();
            break;
        case SW_SHOWMINIMIZED:
        case SW_MINIMIZE:
        case SW_SHOWMINNOACTIVE:
        case SW_FORCEMINIMIZE:
            widget->showMinimized();
            break;
        case SW_SHOWMAXIMIZED:
            widget->showMaximized();
            break;
        default:
            if (window->IsChild())
                widget->show();
            else
                widget->showNormal();
            break;
        }
        if (show && !window->IsChild() && nCmdShow != SW_SHOWNA && nCmdShow != SW_SHOWNOACTIVATE
            && nCmdShow != SW_SHOWMINNOACTIVE) {
            if (QGuiApplication::platformName() != QLatin1String("offscreen"))
                widget->raise(); // the offscreen platform has no stacking
            widget->activateWindow();
            // A dialog keeps the control the dialog manager focused.
            QWidget* focus = window->dialog ? widget->focusWidget() : window->widget.data();
            if (focus)
                focus->setFocus(Qt::ActiveWindowFocusReason);
        }
    }
    // A window that appears needs painting, background and all.
    if (show && !wasVisible && window->HasSurface())
        AddToUpdateRegion(*window, window->ClientRect(), true);
    return wasVisible ? TRUE : FALSE;
}

BOOL WINAPI UpdateWindow(HWND hWnd)
{
    auto const* window = FindWindow(hWnd);
    if (!window)
        return FALSE;
    if (window->visible && !window->updateRegion.isEmpty())
        SendMessageA(hWnd, WM_PAINT, 0, 0);
    return TRUE;
}

BOOL WINAPI IsWindowVisible(HWND hWnd)
{
    // Visible only when its parents are.
    return HoldsUpToTopLevel(hWnd, [](Window const& window) { return window.visible; });
}
