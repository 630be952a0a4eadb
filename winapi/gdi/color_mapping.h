// How a COLORREF becomes a pixel of a surface. Colour surfaces take the RGB
// value as it is; monochrome surfaces follow GDI's rules for 1-bit bitmaps:
// the nearest of black and white for plain colours, the background-colour
// rule for pens, and an 8x8 ordered dither for solid brushes that are
// neither black nor white.
#pragma once

#include "surface.h"

#include <cstdint>

namespace winapi::gdi {

constexpr std::uint32_t MonoBlack = 0x000000;
constexpr std::uint32_t MonoWhite = 0xFFFFFF;

// The RGB value a COLORREF stands for: PALETTEINDEX colours are looked up in
// the default palette, the flag byte of other colours is dropped.
COLORREF ResolveColor(COLORREF color);

// The pixel for `color` on a surface of `format`, as SetPixel and the
// background colour map it: exact on colour surfaces, the nearer of black and
// white on monochrome ones (black on a tie).
std::uint32_t NearestPixel(Surface::Format format, COLORREF color);

// The pixel a pen (or text) of `color` draws on a surface of `format` in a
// DC whose background colour is `backgroundColor`. On monochrome surfaces
// black and white are kept; any other colour becomes the background's pixel
// if it equals the background colour and the opposite pixel otherwise.
std::uint32_t ForegroundPixel(Surface::Format format, COLORREF color, COLORREF backgroundColor);

// A solid brush realised for one surface: either one pixel everywhere, or,
// on monochrome surfaces, an 8x8 dither pattern aligned to the surface origin.
class BrushPaint {
public:
    BrushPaint(Surface::Format format, COLORREF color)
    {
        if (format == Surface::Format::Rgb32 && (color >> 24) == 0) [[likely]]
            m_pixel = PixelFromColor(color);
        else
            Realise(format, color);
    }

    bool IsSolid() const { return m_solid; }
    std::uint32_t SolidPixel() const { return m_pixel; }

    std::uint32_t PixelAt(int x, int y) const
    {
        return m_solid ? m_pixel : ((m_patternRows[y & 7] >> (x & 7)) & 1 ? MonoWhite : MonoBlack);
    }

    // Fills pixels [x0, x1) of row y (already clipped).
    void FillSpan(Surface& surface, int y, int x0, int x1) const;

private:
    void Realise(Surface::Format format, COLORREF color);

    bool m_solid = true;
    std::uint32_t m_pixel = 0;
    std::uint8_t m_patternRows[8] {}; // bit x of row y: white
};

} // namespace winapi::gdi
