// The paint cycle: InvalidateRect, ValidateRect, GetUpdateRect, BeginPaint
// and EndPaint.

#include "winapi/user/paint_region.h"
#include "winapi/user/window.h"
#include "winapi/user/window_dc.h"

#include <windows.h>

#include <algorithm>
#include <cstring>

using namespace winapi::user;

namespace {

std::vector<std::uint32_t> Snapshot(winapi::Surface const& surface)
{
    std::size_t const count = static_cast<std::size_t>(surface.Width()) * static_cast<std::size_t>(surface.Height());
    if (count == 0)
        return {};
    return std::vector<std::uint32_t>(surface.Pixels(), surface.Pixels() + count);
}

// Puts back the pixels outside the painted region.
void RestoreOutside(Window& window, PaintSession const& paint)
{
    auto& surface = *window.surface;
    if (paint.snapshot.empty() || paint.snapshotSize != QSize(surface.Width(), surface.Height()))
        return;
    QRegion const outside = QRegion(QRect(0, 0, surface.Width(), surface.Height())) - paint.region;
    for (QRect const& rect : outside) {
        for (int y = rect.top(); y <= rect.bottom(); ++y) {
            std::size_t const offset = static_cast<std::size_t>(y) * static_cast<std::size_t>(surface.Width())
                + static_cast<std::size_t>(rect.left());
            std::memcpy(surface.Row(y) + rect.left(), paint.snapshot.data() + offset,
                static_cast<std::size_t>(rect.width()) * sizeof(std::uint32_t));
        }
    }
}

}

BOOL WINAPI InvalidateRect(HWND hWnd, const RECT* lpRect, BOOL bErase)
{
    if (!hWnd) {
        // The whole screen: every window.
        for (HWND topLevel : Windows().TopLevelHandles())
            InvalidateRect(topLevel, nullptr, bErase);
        return TRUE;
    }
    auto* window = FindWindow(hWnd);
    if (!window)
        return FALSE;
    if (!window->HasSurface()) {
        if (window->widget)
            window->widget->update();
        return TRUE;
    }
    QRect const area = lpRect ? ClippedRect(*lpRect, window->ClientRect()) : window->ClientRect();
    AddToUpdateRegion(*window, area, bErase != FALSE);
    return TRUE;
}

BOOL WINAPI ValidateRect(HWND hWnd, const RECT* lpRect)
{
    auto* window = FindWindow(hWnd);
    if (!window)
        return FALSE;
    if (!lpRect)
        window->updateRegion = QRegion();
    else
        window->updateRegion -= ClippedRect(*lpRect, window->ClientRect());
    if (window->updateRegion.isEmpty())
        window->eraseNeeded = false;
    return TRUE;
}

BOOL WINAPI GetUpdateRect(HWND hWnd, LPRECT lpRect, BOOL bErase)
{
    auto* window = FindWindow(hWnd);
    if (!window)
        return FALSE;
    QRect const bounds = window->updateRegion.boundingRect();
    if (lpRect)
        *lpRect = ToRECT(bounds);
    if (bounds.isEmpty())
        return FALSE;
    if (bErase && window->eraseNeeded) {
        if (HDC const dc = OpenWindowDC(*window)) {
            window->eraseNeeded = false;
            SendMessageA(hWnd, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
            if (auto* still = FindWindow(hWnd))
                CloseWindowDC(*still, dc);
        }
    }
    return TRUE;
}

HDC WINAPI BeginPaint(HWND hWnd, LPPAINTSTRUCT lpPaint)
{
    auto* window = FindWindow(hWnd);
    if (!window || !lpPaint)
        return nullptr;
    HDC const dc = OpenWindowDC(*window);
    if (!dc)
        return nullptr;

    // The update region is taken (validated) before the erase, as in Win32.
    PaintSession paint;
    paint.dc = dc;
    paint.region = window->updateRegion & window->ClientRect();
    bool const erase = window->eraseNeeded;
    window->updateRegion = QRegion();
    window->eraseNeeded = false;
    if (paint.region != QRegion(window->ClientRect())) {
        paint.snapshot = Snapshot(*window->surface);
        paint.snapshotSize = QSize(window->surface->Width(), window->surface->Height());
    }
    window->paints.push_back(std::move(paint));

    *lpPaint = PAINTSTRUCT {};
    lpPaint->hdc = dc;
    lpPaint->rcPaint = ToRECT(window->paints.back().region.boundingRect());
    if (erase) {
        LRESULT const erased = SendMessageA(hWnd, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
        lpPaint->fErase = erased ? FALSE : TRUE;
    }
    return dc;
}

BOOL WINAPI EndPaint(HWND hWnd, const PAINTSTRUCT* lpPaint)
{
    auto* window = FindWindow(hWnd);
    if (!window || !lpPaint)
        return TRUE;
    auto const found = std::find_if(window->paints.begin(), window->paints.end(),
        [&](PaintSession const& paint) { return paint.dc == lpPaint->hdc; });
    if (found == window->paints.end())
        return TRUE;
    PaintSession paint = std::move(*found);
    window->paints.erase(found);
    RestoreOutside(*window, paint);
    CloseWindowDC(*window, paint.dc);
    if (window->widget)
        window->widget->update(paint.region);
    return TRUE;
}
