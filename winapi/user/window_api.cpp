// Window classes and the life of windows: RegisterClassExA, CreateWindowExA,
// ShowWindow, UpdateWindow, DestroyWindow and their small companions.

#include "winapi/resources/module_resources.h"
#include "winapi/user/icons.h"
#include "winapi/user/menu_bar.h"
#include "winapi/user/message_queue.h"
#include "winapi/user/paint_region.h"
#include "winapi/user/qt_application.h"
#include "winapi/user/system_classes.h"
#include "winapi/user/timers.h"
#include "winapi/user/window.h"
#include "winapi/user/window_dc.h"
#include "winapi/user/window_frame.h"
#include "winapi/user/window_geometry.h"
#include "winapi/user/window_text.h"

#include <windows.h>

#include <QGuiApplication>

#include <new>

#include <algorithm>
#include <cstring>

using namespace winapi::user;

namespace {

QWidget* FrameOfOwner(HWND owner)
{
    // The owner of a top-level window is a top-level window.
    for (int depth = 0; owner && depth < 256; ++depth) {
        auto const* window = FindWindow(owner);
        if (!window)
            return nullptr;
        if (!window->IsChild())
            return window->frame;
        owner = window->parent;
    }
    return nullptr;
}

HWND TopLevelOf(HWND hwnd)
{
    for (int depth = 0; hwnd && depth < 256; ++depth) {
        auto const* window = FindWindow(hwnd);
        if (!window)
            return nullptr;
        if (!window->IsChild())
            return hwnd;
        hwnd = window->parent;
    }
    return nullptr;
}

QSize DefaultFrameSize()
{
    // As Win32 sizes a window made with CW_USEDEFAULT: three quarters of
    // the screen.
    SIZE const display = winapi::GetDisplaySize();
    return QSize(display.cx * 3 / 4, display.cy * 3 / 4);
}

void BuildTopLevelFrame(Window& window, int x, int y, int width, int height)
{
    auto* frame = new TopLevelFrame(window.handle, FrameOfOwner(window.owner));
    window.frame = frame;
    window.widget = frame->Client();

    auto const& windowClass = *window.windowClass;
    if (windowClass.hasMenu) {
        if (auto menu = winapi::resources::LoadMenuTemplate(windowClass.instance, windowClass.MenuResourceName()))
            frame->InstallMenuBar(BuildMenuBar(*menu, window.handle));
    }
    QIcon icon = IconFromHandle(windowClass.icon);
    for (QSize const size : IconFromHandle(windowClass.smallIcon).availableSizes())
        icon.addPixmap(IconFromHandle(windowClass.smallIcon).pixmap(size));
    if (!icon.isNull())
        frame->setWindowIcon(icon);
    ApplyWindowText(window);

    QSize frameSize = width == CW_USEDEFAULT ? DefaultFrameSize() : QSize(std::max(width, 0), std::max(height, 0));
    QSize const clientSize = ClampClientSize(frame->ClientSizeFor(frameSize));
    frameSize = frame->FrameSizeFor(clientSize);
    frame->resize(frameSize);
    if (x != CW_USEDEFAULT)
        frame->move(x, y);

    window.surface = std::make_unique<winapi::Surface>();
    window.clientSize = clientSize;
    window.surface->Resize(clientSize.width(), clientSize.height());
}

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

namespace winapi::user {

HWND CreateWindowRecord(std::unique_ptr<Window> record, int x, int y, int width, int height, LPVOID parameter)
{
    EnsureApplication();
    EnsureSystemClasses();
    InstallWindowDCProvider();

    Window* added = Windows().Add(std::move(record));
    if (!added)
        return nullptr;
    HWND const hwnd = added->handle;
    if (!added->windowClass->isSystemClass && !added->IsChild())
        BuildTopLevelFrame(*added, x, y, width, height);

    CREATESTRUCTA create {};
    create.lpCreateParams = parameter;
    create.hInstance = added->instance;
    create.hwndParent = added->IsChild() ? added->parent : added->owner;
    create.cx = width;
    create.cy = height;
    create.x = x;
    create.y = y;
    create.style = static_cast<LONG>(added->style);
    create.lpszName = added->text.c_str();
    create.lpszClass = added->windowClass->name.c_str();
    create.dwExStyle = added->extendedStyle;

    if (!SendMessageA(hwnd, WM_NCCREATE, 0, reinterpret_cast<LPARAM>(&create))) {
        DestroyWindow(hwnd);
        return nullptr;
    }
    if (SendMessageA(hwnd, WM_CREATE, 0, reinterpret_cast<LPARAM>(&create)) == -1) {
        DestroyWindow(hwnd);
        return nullptr;
    }
    auto* window = FindWindow(hwnd);
    if (!window)
        return nullptr; // destroyed while being created
    if (window->HasSurface()) {
        QSize const size = window->clientSize;
        SendMessageA(hwnd, WM_SIZE, SIZE_RESTORED, MAKELPARAM(size.width(), size.height()));
        SendMessageA(hwnd, WM_MOVE, 0, 0);
    }
    if (FindWindow(hwnd) && (FindWindow(hwnd)->style & WS_VISIBLE))
        ShowWindow(hwnd, SW_SHOW);
    return FindWindow(hwnd) ? hwnd : nullptr;
}

}

ATOM WINAPI RegisterClassExA(const WNDCLASSEXA* lpwcx)
{
    if (!lpwcx)
        return 0;
    EnsureSystemClasses();
    return Classes().Register(*lpwcx);
}

BOOL WINAPI UnregisterClassA(LPCSTR lpClassName, HINSTANCE)
{
    auto const windowClass = Classes().Find(lpClassName);
    if (!windowClass)
        return FALSE;
    for (HWND hwnd : Windows().Handles()) {
        if (FindWindow(hwnd)->windowClass == windowClass)
            return FALSE; // windows of the class still exist
    }
    return Classes().Unregister(lpClassName) ? TRUE : FALSE;
}

HWND WINAPI CreateWindowExA(DWORD dwExStyle, LPCSTR lpClassName, LPCSTR lpWindowName, DWORD dwStyle, int X, int Y,
    int nWidth, int nHeight, HWND hWndParent, HMENU, HINSTANCE hInstance, LPVOID lpParam)
try {
    EnsureSystemClasses();
    auto windowClass = Classes().Find(lpClassName);
    // Windows of the program's classes are top-level windows; the system's
    // controls are made by the dialog manager.
    if (!windowClass || windowClass->isSystemClass || (dwStyle & WS_CHILD))
        return nullptr;
    if (hWndParent && !FindWindow(hWndParent))
        return nullptr;

    auto window = std::make_unique<Window>();
    window->windowClass = windowClass;
    window->procedure = windowClass->procedure;
    window->text = lpWindowName ? lpWindowName : "";
    window->style = dwStyle;
    window->extendedStyle = dwExStyle;
    window->owner = TopLevelOf(hWndParent);
    window->instance = hInstance;
    window->enabled = (dwStyle & WS_DISABLED) == 0;
    return CreateWindowRecord(std::move(window), X, Y, nWidth, nHeight, lpParam);
} catch (std::bad_alloc const&) {
    // No memory for the window or its Qt widget: the call fails.
    return nullptr;
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

BOOL WINAPI IsWindow(HWND hWnd)
{
    return FindWindow(hWnd) ? TRUE : FALSE;
}

BOOL WINAPI IsWindowVisible(HWND hWnd)
{
    // Visible only when its parents are.
    for (int depth = 0; hWnd && depth < 256; ++depth) {
        auto const* window = FindWindow(hWnd);
        if (!window || !window->visible)
            return FALSE;
        if (!window->IsChild())
            return TRUE;
        hWnd = window->parent;
    }
    return FALSE;
}

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

HWND WINAPI GetParent(HWND hWnd)
{
    auto const* window = FindWindow(hWnd);
    if (!window)
        return nullptr;
    if (window->IsChild())
        return window->parent;
    return (window->style & WS_POPUP) ? window->owner : nullptr;
}

BOOL WINAPI SetWindowTextA(HWND hWnd, LPCSTR lpString)
{
    if (!FindWindow(hWnd))
        return FALSE;
    return SendMessageA(hWnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(lpString)) ? TRUE : FALSE;
}

int WINAPI GetWindowTextA(HWND hWnd, LPSTR lpString, int nMaxCount)
{
    if (!FindWindow(hWnd) || !lpString || nMaxCount <= 0)
        return 0;
    return static_cast<int>(SendMessageA(hWnd, WM_GETTEXT, static_cast<WPARAM>(nMaxCount), reinterpret_cast<LPARAM>(lpString)));
}

BOOL WINAPI GetClientRect(HWND hWnd, LPRECT lpRect)
{
    auto const* window = FindWindow(hWnd);
    if (!window || !lpRect)
        return FALSE;
    QSize size = window->clientSize;
    if (!window->HasSurface() && window->widget)
        size = window->widget->size();
    *lpRect = RECT { 0, 0, size.width(), size.height() };
    return TRUE;
}
