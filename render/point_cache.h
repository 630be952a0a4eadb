// What every drawing of one state of the globe shares, worked out once per
// state instead of once per cell and drawing: the map, the two views and
// later paints of one batch read the same arrays. Remade when the Globe's
// generation (or the Globe itself) changes.
#pragma once

#include "globe/globe.h"

#include <cstdint>
#include <vector>

// The elevation pixel of every grid point, row by row
// (pixels[row * GRID_N + column]).
std::uint32_t const* CurrentPointPixels(Globe const& globe);

// The grid column by column (index column * GRID_N + row), as the views
// walk it: each point's coordinates truncated to ints for the projection,
// the side of the plane z = 0 it lies on (-1 below, +1 above, 0 on it or
// not a number) and its elevation pixel.
struct ViewPoints {
    std::vector<std::int32_t> x;
    std::vector<std::int32_t> y;
    std::vector<std::int8_t> side;
    std::vector<std::uint32_t> pixel;
};

ViewPoints const& CurrentViewPoints(Globe const& globe);

// Drops what is cached, so that the next drawing works it out again.
void ForgetPointCaches();
