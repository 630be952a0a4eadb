// The colour rule for many points at once: for each point, the pixel a solid
// brush of ElevationColor(its radius rounded to single, mean, max) paints on
// a 32-bit surface, bit for bit. The arithmetic runs branch-free, in the
// widest vectors the processor has (SSE2, AVX2 or AVX-512); a run with a
// point whose values leave the range that form handles exactly is worked out
// by ElevationColor itself.
#pragma once

#include "globe/globe_point.h"

#include <cstddef>
#include <cstdint>

void ElevationPixels(GlobePoint const* points, std::size_t count, float meanRadius, float maxRadius,
    std::uint32_t* pixels);
