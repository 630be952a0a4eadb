// What the hemisphere views' band sweep shares at every kernel level: what
// it sweeps, the room it keeps between drawings and the width of its bands.
// Plain code only: the sweep's lane templates (render/band_sweep.h) are
// compiled for each level's instruction set, and nothing here may be.
#pragma once

#include "raster/polygon_scan.h"
#include "render/column_fills.h"
#include "render/hemisphere_cells.h"
#include "render/hemisphere_projection.h"
#include "render/pixel_target.h"
#include "render/swept_rows.h"

#include <cstddef>
#include <cstdint>

namespace band_sweep {

struct Sweep {
    PixelTarget const& target;
    GlobePoint const* points;
    std::uint32_t const* pixels;
    std::uint8_t const* rowSides;
    int gridN;
    HemisphereProjection const& projection;
    ViewSide side;
};

// The columns of a band: enough for the fills of a band to stay in the
// processor's nearer caches.
inline constexpr int BAND_COLUMNS = 64;

// Kept from one drawing to the next, so that drawing does not allocate.
struct SweepScratch {
    SweptRows rows;
    ColumnFills fills;
    raster::PolygonScanner scanner;
};

// The scratch of the sweep `Width` cells at a time.
template<int Width>
SweepScratch& ScratchOf()
{
    static SweepScratch scratch;
    return scratch;
}

// Asks for a run of memory ahead of its use: the band's runs of one row lie
// far from the last row's, where the processor does not foresee them.
[[gnu::always_inline]] inline void Prefetch(void const* first, std::size_t bytes)
{
    char const* const start = static_cast<char const*>(first);
    for (std::size_t byte = 0; byte < bytes; byte += 64)
        __builtin_prefetch(start + byte);
}

// The bit of ROW_REACHES_BELOW and ROW_REACHES_ABOVE a view's cells need.
inline std::uint8_t ReachedBit(ViewSide side)
{
    return side == ViewSide::Lower ? ROW_REACHES_BELOW : ROW_REACHES_ABOVE;
}

// The sweep sixteen cells at a time, for processors with AVX-512.
void SweepAvx512(Sweep const& sweep);

}
