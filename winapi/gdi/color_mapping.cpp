#include "color_mapping.h"

#include <algorithm>

namespace winapi::gdi {

namespace {

constexpr COLORREF PaletteIndexFlag = 0x01000000;
constexpr COLORREF DibIndexTag = 0x10ff;

// GDI's default palette: the 20 static colours.
constexpr COLORREF DefaultPalette[20] = {
    RGB(0x00, 0x00, 0x00), RGB(0x80, 0x00, 0x00), RGB(0x00, 0x80, 0x00), RGB(0x80, 0x80, 0x00),
    RGB(0x00, 0x00, 0x80), RGB(0x80, 0x00, 0x80), RGB(0x00, 0x80, 0x80), RGB(0xc0, 0xc0, 0xc0),
    RGB(0xc0, 0xdc, 0xc0), RGB(0xa6, 0xca, 0xf0), RGB(0xff, 0xfb, 0xf0), RGB(0xa0, 0xa0, 0xa4),
    RGB(0x80, 0x80, 0x80), RGB(0xff, 0x00, 0x00), RGB(0x00, 0xff, 0x00), RGB(0xff, 0xff, 0x00),
    RGB(0x00, 0x00, 0xff), RGB(0xff, 0x00, 0xff), RGB(0x00, 0xff, 0xff), RGB(0xff, 0xff, 0xff),
};

constexpr std::uint8_t Bayer8x8[8][8] = {
    { 0, 32, 8, 40, 2, 34, 10, 42 },
    { 48, 16, 56, 24, 50, 18, 58, 26 },
    { 12, 44, 4, 36, 14, 46, 6, 38 },
    { 60, 28, 52, 20, 62, 30, 54, 22 },
    { 3, 35, 11, 43, 1, 33, 9, 41 },
    { 51, 19, 59, 27, 49, 17, 57, 25 },
    { 15, 47, 7, 39, 13, 45, 5, 37 },
    { 63, 31, 55, 23, 61, 29, 53, 21 },
};

bool IsDibIndex(COLORREF color) { return (color >> 16) == DibIndexTag; }

// A DIBINDEX colour selects a pixel value directly: 0 or 1 on monochrome
// surfaces, and pixel 0 on colour surfaces, which have no colour table.
std::uint32_t DibIndexPixel(Surface::Format format, COLORREF color)
{
    if (format == Surface::Format::Monochrome && (color & 0xffff) == 1)
        return MonoWhite;
    return 0;
}

std::uint32_t NearestMono(COLORREF rgb)
{
    auto square = [](int value) { return value * value; };
    int const r = GetRValue(rgb), g = GetGValue(rgb), b = GetBValue(rgb);
    int const toBlack = square(r) + square(g) + square(b);
    int const toWhite = square(r - 255) + square(g - 255) + square(b - 255);
    return toWhite < toBlack ? MonoWhite : MonoBlack;
}

} // namespace

COLORREF ResolveColor(COLORREF color)
{
    if (color & PaletteIndexFlag) {
        unsigned const index = color & 0xffff;
        return index < std::size(DefaultPalette) ? DefaultPalette[index] : DefaultPalette[0];
    }
    return color & 0xffffff;
}

std::uint32_t NearestPixel(Surface::Format format, COLORREF color)
{
    if (IsDibIndex(color))
        return DibIndexPixel(format, color);
    COLORREF const rgb = ResolveColor(color);
    return format == Surface::Format::Monochrome ? NearestMono(rgb) : PixelFromColor(rgb);
}

std::uint32_t ForegroundPixel(Surface::Format format, COLORREF color, COLORREF backgroundColor)
{
    if (format != Surface::Format::Monochrome || IsDibIndex(color))
        return NearestPixel(format, color);
    COLORREF const rgb = ResolveColor(color);
    if (rgb == RGB(0, 0, 0))
        return MonoBlack;
    if (rgb == RGB(255, 255, 255))
        return MonoWhite;
    std::uint32_t const background = NearestPixel(format, backgroundColor);
    if (color == backgroundColor)
        return background;
    return background == MonoWhite ? MonoBlack : MonoWhite;
}

void BrushPaint::Realise(Surface::Format format, COLORREF color)
{
    if (format != Surface::Format::Monochrome || IsDibIndex(color)) {
        m_pixel = NearestPixel(format, color);
        return;
    }
    COLORREF const rgb = ResolveColor(color);
    if (!(color & 0x01000000) && (rgb == RGB(0, 0, 0) || rgb == RGB(255, 255, 255))) {
        m_pixel = rgb == RGB(0, 0, 0) ? MonoBlack : MonoWhite;
        return;
    }
    m_solid = false;
    int const grey = (30 * GetRValue(rgb) + 59 * GetGValue(rgb) + 11 * GetBValue(rgb) + 200) / 400;
    for (int y = 0; y < 8; ++y) {
        std::uint8_t bits = 0;
        for (int x = 0; x < 8; ++x) {
            if (grey + Bayer8x8[y][x] > 63)
                bits |= static_cast<std::uint8_t>(1u << x);
        }
        m_patternRows[y] = bits;
    }
}

void BrushPaint::FillSpan(Surface& surface, int y, int x0, int x1) const
{
    std::uint32_t* row = surface.Row(y);
    if (m_solid) {
        std::fill(row + x0, row + x1, m_pixel);
        return;
    }
    for (int x = x0; x < x1; ++x)
        row[x] = PixelAt(x, y);
}

} // namespace winapi::gdi
