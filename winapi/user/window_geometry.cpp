#include "winapi/user/window_geometry.h"

#include "winapi/user/paint_region.h"

#include <algorithm>
#include <cstring>
#include <new>

namespace winapi::user {

namespace {

// Reallocates the surface; the top-left part that both sizes share keeps
// its pixels.
void ResizeKeepingPixels(Surface& surface, QSize size)
{
    int const keepWidth = std::min(surface.Width(), size.width());
    int const keepHeight = std::min(surface.Height(), size.height());
    std::vector<std::uint32_t> kept;
    if (keepWidth > 0 && keepHeight > 0) {
        try {
            kept.resize(static_cast<std::size_t>(keepWidth) * static_cast<std::size_t>(keepHeight));
        } catch (std::bad_alloc const&) {
            kept.clear();
        }
        if (!kept.empty()) {
            for (int y = 0; y < keepHeight; ++y)
                std::memcpy(&kept[static_cast<std::size_t>(y) * static_cast<std::size_t>(keepWidth)], surface.Row(y),
                    static_cast<std::size_t>(keepWidth) * sizeof(std::uint32_t));
        }
    }
    surface.Resize(size.width(), size.height());
    if (kept.empty() || surface.Width() != size.width() || surface.Height() != size.height())
        return;
    for (int y = 0; y < keepHeight; ++y)
        std::memcpy(surface.Row(y), &kept[static_cast<std::size_t>(y) * static_cast<std::size_t>(keepWidth)],
            static_cast<std::size_t>(keepWidth) * sizeof(std::uint32_t));
}

}

QSize ClampClientSize(QSize size)
{
    return QSize(std::clamp(size.width(), 0, MaxClientSide), std::clamp(size.height(), 0, MaxClientSide));
}

void SetClientSize(Window& window, QSize size)
{
    size = ClampClientSize(size);
    QSize const old = window.clientSize;
    if (size == old)
        return;
    window.clientSize = size;
    if (window.surface)
        ResizeKeepingPixels(*window.surface, size);
    window.updateRegion &= window.ClientRect();

    UINT const classStyle = window.windowClass ? window.windowClass->style : 0;
    bool const redrawAll = ((classStyle & CS_HREDRAW) && size.width() != old.width())
        || ((classStyle & CS_VREDRAW) && size.height() != old.height());
    if (redrawAll)
        AddToUpdateRegion(window, window.ClientRect(), true);
    else
        AddToUpdateRegion(window, QRegion(window.ClientRect()) - QRegion(QRect(QPoint(0, 0), old)), true);

    HWND const hwnd = window.handle;
    SendMessageA(hwnd, WM_SIZE, SIZE_RESTORED, MAKELPARAM(size.width(), size.height()));
}

void ApplyPendingClientSizes()
{
    for (HWND hwnd : Windows().Handles()) {
        auto* window = FindWindow(hwnd);
        if (!window || !window->pendingClientSize || window->destroying)
            continue;
        QSize const size = *window->pendingClientSize;
        window->pendingClientSize.reset();
        if (window->HasSurface())
            SetClientSize(*window, size);
    }
}

}

using namespace winapi::user;

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
