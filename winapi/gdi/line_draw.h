// One-pixel solid lines, as a cosmetic pen draws them: a Bresenham walk
// from the start point up to, but not including, the end point.
#pragma once

#include "raster_ops.h"
#include "surface.h"

#include <windows.h>

#include <cstdint>

namespace winapi::gdi {

void DrawSolidLine(Surface& surface, POINT start, POINT end, std::uint32_t pixel, Rop2 rop);

// Draws the lines between consecutive points, and back to the first one
// when `close` is set.
void DrawSolidPolyline(Surface& surface, POINT const* points, int count, bool close, std::uint32_t pixel, Rop2 rop);

} // namespace winapi::gdi
