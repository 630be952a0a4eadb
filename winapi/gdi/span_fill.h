// Filling a run of pixels in one colour. Cells of a dense grid give runs of
// one to a few pixels, where a vectorised fill spends more on its set-up
// than on the stores, so short runs take plain stores.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>

namespace winapi::gdi {

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
// order, on pixels stored row by row `width` to a row: the pixels with
// min(xa, xb) <= x < max(xa, xb) and min(ya, yb) <= y < max(ya, yb), clipped
// to width x height. These are the spans the scanner gives a rectangle.
inline void FillRectangle(std::uint32_t* pixels, int width, int height, int xa, int ya, int xb, int yb,
    std::uint32_t pixel)
{
    int const x0 = std::clamp(std::min(xa, xb), 0, width);
    int const x1 = std::clamp(std::max(xa, xb), 0, width);
    int const y0 = std::clamp(std::min(ya, yb), 0, height);
    int const y1 = std::clamp(std::max(ya, yb), 0, height);
    if (x0 >= x1)
        return;
    std::uint32_t* row = pixels + static_cast<std::ptrdiff_t>(y0) * width;
    for (int y = y0; y < y1; ++y, row += width)
        FillSpan(row, x0, x1, pixel);
}

} // namespace winapi::gdi
