#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>

// A width x height colour surface to draw a view into: a memory DC holding a
// colour bitmap whose pixels the views reach directly, cleared to black.
class ImageSurface {
public:
    // Null when GDI cannot make the DC or the bitmap.
    static std::unique_ptr<ImageSurface> Create(int width, int height);
    ~ImageSurface();

    ImageSurface(ImageSurface const&) = delete;
    ImageSurface& operator=(ImageSurface const&) = delete;

    HDC DC() const { return dc; }
    int Width() const { return width; }
    int Height() const { return height; }

    // One row of pixels as red, green, blue bytes, width * 3 of them.
    void ReadRow(int row, std::uint8_t* rgb) const;

private:
    ImageSurface(HDC dc, HBITMAP bitmap, HGDIOBJ originalBitmap, int width, int height);

    HDC dc;
    HBITMAP bitmap;
    HGDIOBJ originalBitmap;
    int width;
    int height;
};
