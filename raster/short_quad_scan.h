// The scan of a quadrilateral at most two scanlines tall, with the spans the
// general scanner gives it: the cells of a dense grid seen from afar, most
// of which meet one or two rows of sample points. Each of those rows meets
// either two of the outline's edges, whose crossings bound one span, or
// four, which are left to the general scanner. With at most two rows, an
// edge crosses a row one step below its top only when it is two rows tall,
// so every crossing is exact with a shift instead of a division.
#pragma once

#include "raster/polygon_scan.h"

#include <algorithm>
#include <cstdint>

namespace raster {

struct Span {
    int y;
    int x0;
    int x1;
};

struct ShortSpans {
    int count;
    Span spans[2];
};

// True, with the spans (top row first, x0 < x1, clipped), when the corners'
// rows lie within two scanlines of each other and no scanline, inside the
// clip or not, meets more than two edges; false otherwise, with `found`
// undefined.
template<typename Point>
bool ScanShortQuad(Point const (&corners)[4], ScanClip clip, ShortSpans& found)
{
    std::int64_t const yMin = std::min(std::min<std::int64_t>(corners[0].y, corners[1].y),
        std::min<std::int64_t>(corners[2].y, corners[3].y));
    std::int64_t const yMax = std::max(std::max<std::int64_t>(corners[0].y, corners[1].y),
        std::max<std::int64_t>(corners[2].y, corners[3].y));
    if (yMax - yMin > 2)
        return false;
    found.count = 0;
    for (std::int64_t y = yMin; y < yMax; ++y) {
        int counting = 0;
        std::int64_t low = INT64_MAX;
        std::int64_t high = INT64_MIN;
        for (int i = 0; i < 4; ++i) {
            Point const a = corners[i];
            Point const b = corners[(i + 1) & 3];
            bool const down = a.y < b.y;
            std::int64_t const yTop = down ? a.y : b.y;
            std::int64_t const yBottom = down ? b.y : a.y;
            std::int64_t const xTop = down ? a.x : b.x;
            std::int64_t const dx = std::int64_t { down ? b.x : a.x } - xTop;
            bool const counts = yTop <= y && y < yBottom;
            // One row below the top, ceil(dx / 2) as a floor of (dx + 1) / 2.
            std::int64_t const x = Clamp64(y == yTop ? xTop : xTop + ((dx + 1) >> 1), clip.left, clip.right);
            counting += counts;
            low = counts ? std::min(low, x) : low;
            high = counts ? std::max(high, x) : high;
        }
        // A row outside the clip is judged too, so that whether a quad is
        // taken here does not depend on the clip.
        if (counting > 2)
            return false;
        if (y < clip.top || y >= clip.bottom)
            continue;
        if (counting == 2 && low < high)
            found.spans[found.count++] = { static_cast<int>(y), static_cast<int>(low), static_cast<int>(high) };
    }
    return true;
}

} // namespace raster
