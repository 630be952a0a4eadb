// Reaching the pixels of a DC of our own GDI.
#include "render/pixel_target.h"

#include <dc_pixels.h>

namespace {

bool g_directAllowed = true;

}

void AllowDirectPixels(bool allowed)
{
    g_directAllowed = allowed;
}

bool ReachPixels(HDC hdc, PixelTarget& target)
{
    DCPixels pixels;
    if (!g_directAllowed || !GetDCPixels(hdc, &pixels))
        return false;
    target.rows = { pixels.pixels, pixels.stride };
    target.width = pixels.width;
    target.height = pixels.height;
    target.clip = { static_cast<int>(pixels.clip.left), static_cast<int>(pixels.clip.top),
        static_cast<int>(pixels.clip.right), static_cast<int>(pixels.clip.bottom) };
    target.fillRule = pixels.polyFillMode == WINDING ? raster::FillRule::Winding : raster::FillRule::Alternate;
    return true;
}
