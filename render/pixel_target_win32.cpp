// Reaching the pixels of a DC on Windows: those of a 32-bit DIB section
// selected into a DC that draws in plain device coordinates.
#include "render/pixel_target.h"

#include <algorithm>
#include <cstdlib>

namespace {

bool g_directAllowed = true;

bool HasPlainCoordinates(HDC hdc)
{
    POINT viewportOrigin {};
    POINT windowOrigin {};
    return GetMapMode(hdc) == MM_TEXT && GetGraphicsMode(hdc) == GM_COMPATIBLE && GetLayout(hdc) == 0
        && GetViewportOrgEx(hdc, &viewportOrigin) && GetWindowOrgEx(hdc, &windowOrigin) && viewportOrigin.x == 0
        && viewportOrigin.y == 0 && windowOrigin.x == 0 && windowOrigin.y == 0;
}

// 32 bits a pixel with blue in the low byte: BI_RGB, or BI_BITFIELDS with
// the same masks.
bool IsBgrx32(DIBSECTION const& section)
{
    if (section.dsBm.bmBitsPixel != 32 || !section.dsBm.bmBits)
        return false;
    if (section.dsBmih.biCompression == BI_RGB)
        return true;
    return section.dsBmih.biCompression == BI_BITFIELDS && section.dsBitfields[0] == 0xFF0000
        && section.dsBitfields[1] == 0x00FF00 && section.dsBitfields[2] == 0x0000FF;
}

// Whether the DIB's first row in memory is its top row. GDI does not say
// (GetObject reports the height without its sign), so a pixel is written
// into the first row in memory and read back through GDI at (0, 0), then
// put back. False also when GDI cannot read (0, 0), as under a clip.
bool FindOrientation(HDC hdc, std::uint32_t* bits, int height, std::ptrdiff_t stride, bool& topDown)
{
    std::uint32_t const first = bits[0];
    std::uint32_t const lastRowFirst = bits[(height - 1) * stride];
    std::uint32_t const probe = (lastRowFirst ^ 0x000001) & 0xFFFFFF;
    GdiFlush();
    bits[0] = probe;
    COLORREF const seen = GetPixel(hdc, 0, 0);
    bits[0] = first;
    if (seen == CLR_INVALID)
        return false;
    topDown = height == 1 || PixelOfColor(seen) == probe;
    return true;
}

}

void AllowDirectPixels(bool allowed)
{
    g_directAllowed = allowed;
}

bool ReachPixels(HDC hdc, PixelTarget& target)
{
    if (!g_directAllowed || GetDeviceCaps(hdc, TECHNOLOGY) != DT_RASDISPLAY || !HasPlainCoordinates(hdc))
        return false;
    HGDIOBJ const bitmap = GetCurrentObject(hdc, OBJ_BITMAP);
    DIBSECTION section {};
    if (!bitmap || GetObjectA(bitmap, sizeof section, &section) != sizeof section || !IsBgrx32(section))
        return false;
    int const width = section.dsBm.bmWidth;
    int const height = std::abs(section.dsBmih.biHeight);
    std::ptrdiff_t const stride = section.dsBm.bmWidthBytes / 4;
    if (width <= 0 || height <= 0)
        return false;

    RECT clip;
    int const clipKind = GetClipBox(hdc, &clip);
    if (clipKind == ERROR || clipKind == COMPLEXREGION)
        return false;
    if (clipKind == NULLREGION)
        clip = { 0, 0, 0, 0 };

    auto* const bits = static_cast<std::uint32_t*>(section.dsBm.bmBits);
    // A bottom-up DIB stores its last row first.
    bool topDown = false;
    if (!FindOrientation(hdc, bits, height, stride, topDown))
        return false;
    target.rows = topDown ? raster::PixelRows { bits, stride } : raster::PixelRows { bits + (height - 1) * stride, -stride };
    target.width = width;
    target.height = height;
    target.clip = { std::clamp<int>(clip.left, 0, width), std::clamp<int>(clip.top, 0, height),
        std::clamp<int>(clip.right, 0, width), std::clamp<int>(clip.bottom, 0, height) };
    target.fillRule = GetPolyFillMode(hdc) == WINDING ? raster::FillRule::Winding : raster::FillRule::Alternate;
    // GDI may still be drawing on the bits: let it finish first.
    GdiFlush();
    return true;
}
