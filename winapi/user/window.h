// The windows USER knows: what a window is made of, and the table that turns
// an HWND into its window.
//
// A top-level window of a program's class owns the surface of its client
// area, which GDI draws on and the window's Qt widget shows. Dialogs and
// their controls are Qt widgets that draw themselves.
#pragma once

#include "winapi/gdi/surface.h"
#include "winapi/user/window_class.h"

#include <windows.h>

#include <QPointer>
#include <QRegion>
#include <QSize>
#include <QWidget>

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace winapi::user {

struct DialogState;

// A BeginPaint not yet ended. Drawing on its DC is confined to the region
// that was invalid: pixels outside it are put back from the snapshot when
// the paint ends (no snapshot when the whole client area was invalid).
struct PaintSession {
    HDC dc = nullptr;
    QRegion region;
    std::vector<std::uint32_t> snapshot;
    QSize snapshotSize;
};

struct Window {
    HWND handle = nullptr;
    std::shared_ptr<WindowClass const> windowClass;
    WNDPROC procedure = nullptr;
    std::string text;
    DWORD style = 0;
    DWORD extendedStyle = 0;
    HWND parent = nullptr; // of a child window
    HWND owner = nullptr;  // of a top-level window
    HINSTANCE instance = nullptr;
    int controlId = 0;
    LONG_PTR userData = 0;

    bool enabled = true;
    bool visible = false;
    bool destroying = false;

    // The client area. The surface is as large as the client area unless
    // its pixels could not be allocated, when it is empty.
    std::unique_ptr<Surface> surface;
    QSize clientSize;
    QRegion updateRegion;
    bool eraseNeeded = false;
    // A new client size from Qt, applied by the message loop.
    std::optional<QSize> pendingClientSize;
    // DCs handed out by GetDC and BeginPaint, released with the window.
    std::vector<HDC> openDCs;
    std::vector<PaintSession> paints;

    // The Qt window of a top-level window or dialog; the widget that shows
    // the client area, or the control's own widget.
    QPointer<QWidget> frame;
    QPointer<QWidget> widget;

    std::shared_ptr<DialogState> dialog;

    bool HasSurface() const { return surface != nullptr; }
    bool IsChild() const { return (style & WS_CHILD) != 0; }
    QRect ClientRect() const { return QRect(QPoint(0, 0), clientSize); }
};

class WindowTable {
public:
    // Adds a window and gives it its handle; null when the table is full.
    Window* Add(std::unique_ptr<Window> window);
    void Remove(HWND handle);

    // Null for a null, stale or made-up handle.
    Window* Find(HWND handle) const;

    // Handles of every window, in creation order.
    std::vector<HWND> Handles() const;
    std::vector<HWND> TopLevelHandles() const;
    std::vector<HWND> ChildrenOf(HWND parent) const;
    std::vector<HWND> OwnedBy(HWND owner) const;

private:
    struct Slot {
        std::unique_ptr<Window> window;
        std::uint16_t generation = 0;
    };
    std::vector<Slot> m_slots;
    std::vector<std::size_t> m_freeSlots;
    std::uint64_t m_creationCounter = 0;
    std::vector<std::pair<std::uint64_t, HWND>> m_order;
};

WindowTable& Windows();

inline Window* FindWindow(HWND handle)
{
    return Windows().Find(handle);
}

// True when `window` is `ancestor` or lies inside it.
bool IsSameOrDescendant(HWND window, HWND ancestor);

// The top-level window `hwnd` is or lies inside; null for a stale handle.
HWND TopLevelOf(HWND hwnd);

// True when `hwnd` and every window up to its top-level one exist and
// satisfy `holds` (a visible window is one whose parents are all visible,
// an enabled one one whose parents are all enabled).
template<typename Predicate>
bool HoldsUpToTopLevel(HWND hwnd, Predicate&& holds)
{
    // Parent chains are short; a cycle can't arise, but the walk is bounded
    // all the same.
    for (int depth = 0; hwnd && depth < 256; ++depth) {
        Window const* window = FindWindow(hwnd);
        if (!window || !holds(*window))
            return false;
        if (!window->IsChild())
            return true;
        hwnd = window->parent;
    }
    return false;
}

}
