#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <vector>

// What a memory canvas draws on.
enum class CanvasBitmap {
    // A 32-bit colour bitmap whose pixels are reachable (CreateScreenBitmap:
    // on Windows a 32-bit top-down DIB section).
    Reachable,
    // A bitmap compatible with the screen: on Windows a device-dependent
    // bitmap, which the drawings leave to GDI (ours are all 32-bit colour
    // and reachable).
    DeviceDependent,
};

// A width x height colour canvas off screen: a memory DC with a bitmap of
// its own selected into it, cleared to black. The DC and the bitmap are
// released with the canvas.
class MemoryCanvas {
public:
    // Valid() tells whether GDI could make the DC and the bitmap, select
    // the one into the other and clear them.
    MemoryCanvas(int width, int height, CanvasBitmap kind = CanvasBitmap::Reachable);
    ~MemoryCanvas();

    MemoryCanvas(MemoryCanvas const&) = delete;
    MemoryCanvas& operator=(MemoryCanvas const&) = delete;

    bool Valid() const { return m_dc != nullptr; }
    HDC DC() const { return m_dc; }
    HBITMAP Bitmap() const { return m_bitmap; }
    int Width() const { return m_width; }
    int Height() const { return m_height; }

    // Fills the whole canvas with a raster operation (BLACKNESS, WHITENESS).
    void Fill(DWORD rop) const;

    // Row `y` of the pixels, Width() of them, each 0x00RRGGBB (blue in the
    // low byte), to read or write directly once GDI has finished drawing on
    // them. Null when the pixels are out of reach (a device-dependent
    // bitmap, an invalid canvas, a row outside it).
    std::uint32_t* Row(int y) const;

    // Every pixel as 0x00RRGGBB, rows top to bottom; read through GDI
    // where the pixels are out of reach, empty for an invalid canvas.
    std::vector<std::uint32_t> Pixels() const;

private:
    // The first row and the distance in pixels from one row to the next.
    std::uint32_t* TopRow(std::ptrdiff_t& stride) const;

    HDC m_dc = nullptr;
    HBITMAP m_bitmap = nullptr;
    HGDIOBJ m_original = nullptr;
    int m_width = 0;
    int m_height = 0;
};
