#include "tools/image_surface.h"

#include "render/screen_bitmap.h"

std::unique_ptr<ImageSurface> ImageSurface::Create(int width, int height)
{
    // A bitmap compatible with a fresh memory DC would be monochrome: take
    // the display's format from the screen DC instead (on Windows a 32-bit
    // DIB section, which the views are drawn into directly).
    HDC const screen = GetDC(nullptr);
    HDC const dc = CreateCompatibleDC(screen);
    HBITMAP const bitmap = CreateScreenBitmap(screen, width, height);
    ReleaseDC(nullptr, screen);
    if (!dc || !bitmap) {
        if (bitmap)
            DeleteObject(bitmap);
        if (dc)
            DeleteDC(dc);
        return nullptr;
    }
    HGDIOBJ const original = SelectObject(dc, bitmap);
    PatBlt(dc, 0, 0, width, height, BLACKNESS);
    return std::unique_ptr<ImageSurface>(new ImageSurface(dc, bitmap, original, width, height));
}

ImageSurface::ImageSurface(HDC dc, HBITMAP bitmap, HGDIOBJ originalBitmap, int width, int height)
    : dc(dc)
    , bitmap(bitmap)
    , originalBitmap(originalBitmap)
    , width(width)
    , height(height)
{
}

ImageSurface::~ImageSurface()
{
    SelectObject(dc, originalBitmap);
    DeleteObject(bitmap);
    DeleteDC(dc);
}

void ImageSurface::ReadRow(int row, std::uint8_t* rgb) const
{
    for (int x = 0; x < width; ++x) {
        COLORREF const color = GetPixel(dc, x, row);
        *rgb++ = GetRValue(color);
        *rgb++ = GetGValue(color);
        *rgb++ = GetBValue(color);
    }
}
