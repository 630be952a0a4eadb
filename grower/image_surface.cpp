#include "grower/image_surface.h"

std::unique_ptr<ImageSurface> ImageSurface::Create(int width, int height)
{
    std::unique_ptr<ImageSurface> surface(new ImageSurface(width, height));
    if (!surface->canvas.Valid())
        return nullptr;
    return surface;
}

bool ImageSurface::ReadRow(int row, std::uint8_t* rgb) const
{
    if (std::uint32_t const* pixels = canvas.Row(row)) {
        for (int x = 0; x < Width(); ++x) {
            *rgb++ = static_cast<std::uint8_t>(pixels[x] >> 16);
            *rgb++ = static_cast<std::uint8_t>(pixels[x] >> 8);
            *rgb++ = static_cast<std::uint8_t>(pixels[x]);
        }
        return true;
    }
    for (int x = 0; x < Width(); ++x) {
        COLORREF const color = GetPixel(DC(), x, row);
        if (color == CLR_INVALID)
            return false;
        *rgb++ = GetRValue(color);
        *rgb++ = GetGValue(color);
        *rgb++ = GetBValue(color);
    }
    return true;
}
