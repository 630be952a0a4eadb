// Our GDI's one addition to Win32: the pixels behind a DC, for drawing code
// that fills them itself, under the same pixel rules as GDI. Nothing else
// about a DC's internals is reachable this way.
#pragma once

#include "win32/gdi.h"

#include <cstddef>
#include <cstdint>

struct DCPixels {
    std::uint32_t* pixels; // row 0; each pixel 0x00RRGGBB
    int width;
    int height;
    std::ptrdiff_t stride; // pixels from one row to the next
    RECT clip;             // what drawing may change, within the pixels
    int polyFillMode;      // ALTERNATE or WINDING
};

// Fills *pixels for a DC that draws on 32-bit colour pixels and returns
// TRUE. FALSE, leaving *pixels as it was, for an invalid DC, a null pointer,
// a monochrome surface or one without pixels.
BOOL GetDCPixels(HDC hdc, DCPixels* pixels);
