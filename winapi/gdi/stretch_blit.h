// Copying a rectangle of one surface onto another, scaled, mirrored and
// clipped the way GDI's DIB engine does it: the same visible rectangles, the
// same source pixel for every destination pixel (a Bresenham walk along each
// axis), and the same combining of eliminated rows and columns when shrinking
// (AND for BLACKONWHITE, OR for WHITEONBLACK, none for COLORONCOLOR).
#pragma once

#include "raster_ops.h"
#include "surface.h"

#include <cstdint>

namespace winapi::gdi {

// A rectangle as StretchBlt takes it: origin and signed extents.
struct BlitArea {
    int x;
    int y;
    int width;
    int height;
};

// How source pixels become destination pixels when the formats differ: a
// colour source turns white where it equals the source DC's background
// colour and black elsewhere; a monochrome source takes the destination
// DC's text colour for black and its background colour for white.
struct PixelConversion {
    enum class Kind : std::uint8_t {
        None,
        ColorToMono,
        MonoToColor,
    };
    Kind kind = Kind::None;
    std::uint32_t sourceBackground = 0; // ColorToMono
    std::uint32_t blackTo = 0;          // MonoToColor
    std::uint32_t whiteTo = 0;          // MonoToColor

    std::uint32_t Apply(std::uint32_t pixel) const
    {
        switch (kind) {
        case Kind::None: return pixel;
        case Kind::ColorToMono: return pixel == sourceBackground ? 0xFFFFFF : 0x000000;
        case Kind::MonoToColor: return pixel ? whiteTo : blackTo;
        }
        return pixel;
    }
};

// The conversion between two surfaces for the given DC colours.
PixelConversion ConversionBetween(Surface const& source, COLORREF sourceBackground, Surface const& destination,
    COLORREF destinationText, COLORREF destinationBackground);

// Copies `sourceArea` of `source` into `destinationArea` of `destination`
// with the binary operation `rop` and the stretching `mode`. Returns false
// where GDI fails; a copy with nothing visible succeeds without drawing.
// Source and destination may be the same surface.
bool StretchSurface(Surface& destination, BlitArea destinationArea, Surface const& source, BlitArea sourceArea,
    int mode, PixelConversion const& conversion, Rop2 rop);

} // namespace winapi::gdi
