// The 32-bit pixels behind a device context, when the drawing can reach
// them: each pixel 0x00RRGGBB (blue in the low byte, the layout of a 32-bit
// DIB), rows `stride` pixels apart. Drawing code fills such pixels itself
// with GDI's own rules instead of asking GDI cell by cell.
#pragma once

#include "raster/polygon_scan.h"
#include "raster/span_fill.h"

#include <windows.h>

#include <cstdint>

struct PixelTarget {
    raster::PixelRows rows;
    int width;
    int height;
    raster::ScanClip clip; // within 0 .. width, 0 .. height
    raster::FillRule fillRule;
};

// True, with `target` filled in, for a DC whose pixels drawing may write
// directly: a 32-bit colour surface in device coordinates with a
// rectangular clip. False for anything else (a monochrome bitmap, another
// depth, a printer, a transformed DC), which is then drawn through GDI.
bool ReachPixels(HDC hdc, PixelTarget& target);

// Switches the direct path off (false) or back on: with it off every
// drawing goes through GDI cell by cell. The tests compare the two.
void AllowDirectPixels(bool allowed);

// The pixel a solid brush of `color` paints on such a surface.
constexpr std::uint32_t PixelOfColor(COLORREF color)
{
    return ((color >> 16) & 0xff) | (color & 0xff00) | ((color & 0xff) << 16);
}
