#pragma once

#include "render/memory_canvas.h"

#include <windows.h>

#include <cstdint>
#include <memory>

// A width x height colour surface to draw a view into: a memory canvas whose
// pixels the views reach directly, cleared to black.
class ImageSurface {
public:
    // Null when any GDI call that makes the surface fails (the screen's DC,
    // the memory DC, the DIB section, its selection, its clearing).
    static std::unique_ptr<ImageSurface> Create(int width, int height);

    HDC DC() const { return canvas.DC(); }
    int Width() const { return canvas.Width(); }
    int Height() const { return canvas.Height(); }

    // One row of pixels as red, green, blue bytes, width * 3 of them; false
    // when GDI could not give a pixel of it.
    bool ReadRow(int row, std::uint8_t* rgb) const;

private:
    ImageSurface(int width, int height)
        : canvas(width, height)
    {
    }

    MemoryCanvas canvas;
};
