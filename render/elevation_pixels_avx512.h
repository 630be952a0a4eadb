// The colour rule of ElevationPixels in AVX-512, sixteen points at a time.
#pragma once

#include "globe/globe_point.h"

#include <cstddef>
#include <cstdint>

namespace elevation_pixels {

inline constexpr std::size_t AVX512_WIDTH = 16;

// Colours `count` points (a multiple of AVX512_WIDTH) between the sea level
// and the span of the rule. Returns false when some point lies outside the
// range this form works out exactly; the caller then redoes the run.
// Call only where the processor has AVX-512F.
bool PixelRunAvx512(GlobePoint const* points, std::size_t count, double seaLevel, double span,
    std::uint32_t* pixels);

}
