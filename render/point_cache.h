// What every drawing of one state of the globe shares, worked out once per
// state instead of once per cell and drawing: the map, the two views and
// later paints of one batch read the same colours. Remade when the Globe's
// generation (or the Globe itself) changes.
#pragma once

#include "globe/globe.h"
#include "simd/kernel_level.h"

#include <cstdint>

// The elevation pixel of every grid point, row by row
// (pixels[row * GRID_N + column]), worked out with the colour form of
// `level`.
std::uint32_t const* CurrentPointPixels(Globe const& globe, KernelLevel level);

// Drops what is cached, so that the next drawing works it out again.
void ForgetPointCaches();
