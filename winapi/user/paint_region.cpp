#include "winapi/user/paint_region.h"

#include <algorithm>
#include <utility>

namespace winapi::user {

void AddToUpdateRegion(Window& window, QRegion const& region, bool erase)
{
    QRegion const clipped = region & window.ClientRect();
    if (clipped.isEmpty())
        return;
    window.updateRegion += clipped;
    if (erase)
        window.eraseNeeded = true;
}

QRect ClippedRect(RECT const& rect, QRect const& bounds)
{
    // An inverted rectangle names the same area as its normalised form, as
    // for GDI's rectangular regions. In 64 bits, so that INT_MIN and INT_MAX
    // edges cannot overflow.
    RECT normal = rect;
    if (normal.left > normal.right)
        std::swap(normal.left, normal.right);
    if (normal.top > normal.bottom)
        std::swap(normal.top, normal.bottom);
    auto const clampX = [&](LONG x) { return std::clamp<std::int64_t>(x, bounds.left(), std::int64_t { bounds.right() } + 1); };
    auto const clampY = [&](LONG y) { return std::clamp<std::int64_t>(y, bounds.top(), std::int64_t { bounds.bottom() } + 1); };
    std::int64_t const left = clampX(normal.left);
    std::int64_t const right = clampX(normal.right);
    std::int64_t const top = clampY(normal.top);
    std::int64_t const bottom = clampY(normal.bottom);
    if (right <= left || bottom <= top)
        return {};
    return QRect(static_cast<int>(left), static_cast<int>(top), static_cast<int>(right - left), static_cast<int>(bottom - top));
}

RECT ToRECT(QRect const& rect)
{
    if (rect.isEmpty())
        return RECT { 0, 0, 0, 0 };
    return RECT { rect.left(), rect.top(), rect.left() + rect.width(), rect.top() + rect.height() };
}

}
