// Creating windows: CreateWindowExA, and the record both it and the dialog
// manager fill in, with the Qt frame of a top-level window.
#include "winapi/user/window_create.h"

#include "winapi/resources/module_resources.h"
#include "winapi/user/icons.h"
#include "winapi/user/lack_of_memory.h"
#include "winapi/user/menu_bar.h"
#include "winapi/user/qt_application.h"
#include "winapi/user/system_classes.h"
#include "winapi/user/system_font.h"
#include "winapi/user/window.h"
#include "winapi/user/window_dc.h"
#include "winapi/user/window_frame.h"
#include "winapi/user/window_geometry.h"
#include "winapi/user/window_text.h"

#include <windows.h>

#include <algorithm>
#include <new>

using namespace winapi::user;

namespace {

QWidget* FrameOfOwner(HWND owner)
{
    // The owner of a top-level window is a top-level window.
    auto const* window = FindWindow(TopLevelOf(owner));
    return window ? window->frame : nullptr;
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
    // Its frame lays out its menu bar in a font.
    if (!FontMatchHasRoom()) {
        winapi::user::NoteWindowNotCreatedForLackOfMemory();
        return nullptr;
    }

    auto window = std::make_unique<Window>();
    window->windowClass = windowClass;
    window->procedure = windowClass->procedure;
    window->text = lpWindowName ? lpWindowName : "";
    window->style = dwStyle;
    window->extendedStyle = dwExStyle;
    window->owner = TopLevelOf(hWndParent);
    window->instance = hInstance;
    window->enabled = (dwStyle & WS_DISABLED) == 0;
    HWND const hwnd = CreateWindowRecord(std::move(window), X, Y, nWidth, nHeight, lpParam);
    if (hwnd)
        winapi::user::NoteWindowCreated();
    return hwnd;
} catch (std::bad_alloc const&) {
    // No memory for the window or its Qt widget: the call fails.
    winapi::user::NoteWindowNotCreatedForLackOfMemory();
    return nullptr;
}
