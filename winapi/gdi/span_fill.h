// Filling a run of pixels in one colour. Cells of a dense grid give runs of
// one to a few pixels, where a vectorised fill spends more on its set-up
// than on the stores, so short runs take plain stores.
#pragma once

#include <algorithm>
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

} // namespace winapi::gdi
