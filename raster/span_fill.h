// Filling runs and rectangles of 32-bit pixels in one colour. Cells of a
// dense grid give runs of one to a few pixels, where a vectorised fill
// spends more on its set-up than on the stores, so short runs take plain
// stores.
#pragma once

#include "raster/polygon_scan.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>

namespace raster {

// Pixels stored row by row from the top, `stride` pixels from one row to the
// next (negative for rows stored bottom-up).
struct PixelRows {
    std::uint32_t* pixels; // row 0
    std::ptrdiff_t stride;

    std::uint32_t* Row(int y) const { return pixels + y * stride; }
};

inline void FillSpan(std::uint32_t* row, int x0, int x1, std::uint32_t pixel)
{
    int const count = x1 - x0;
    std::uint32_t* const first = row + x0;
    if (count > 8) {
        std::fill(first, first + count, pixel);
        return;
    }
    switch (count) {
    case 8: first[7] = pixel; [[fallthrough]];
    case 7: first[6] = pixel; [[fallthrough]];
    case 6: first[5] = pixel; [[fallthrough]];
    case 5: first[4] = pixel; [[fallthrough]];
    case 4: first[3] = pixel; [[fallthrough]];
    case 3: first[2] = pixel; [[fallthrough]];
    case 2: first[1] = pixel; [[fallthrough]];
    case 1: first[0] = pixel; [[fallthrough]];
    default: break;
    }
}

// Fills the rectangle between the corners (xa, ya) and (xb, yb), in either
// order: the pixels with min(xa, xb) <= x < max(xa, xb) and
// min(ya, yb) <= y < max(ya, yb), clipped. These are the spans the scanner
// gives a rectangle.
inline void FillRectangle(PixelRows rows, ScanClip clip, int xa, int ya, int xb, int yb, std::uint32_t pixel)
{
    int const x0 = std::clamp(std::min(xa, xb), clip.left, std::max(clip.left, clip.right));
    int const x1 = std::clamp(std::max(xa, xb), clip.left, std::max(clip.left, clip.right));
    int const y0 = std::clamp(std::min(ya, yb), clip.top, std::max(clip.top, clip.bottom));
    int const y1 = std::clamp(std::max(ya, yb), clip.top, std::max(clip.top, clip.bottom));
    if (x0 >= x1)
        return;
    for (int y = y0; y < y1; ++y)
        FillSpan(rows.Row(y), x0, x1, pixel);
}

} // namespace raster
