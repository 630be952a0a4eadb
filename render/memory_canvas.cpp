#include "render/memory_canvas.h"

#include "render/screen_bitmap.h"

#ifndef _WIN32
#include <dc_pixels.h>
#endif

#include <cstddef>

MemoryCanvas::MemoryCanvas(int width, int height, CanvasBitmap kind)
{
    // A bitmap compatible with a fresh memory DC would be monochrome: the
    // format comes from the screen DC instead.
    HDC const screen = GetDC(nullptr);
    HDC const dc = CreateCompatibleDC(screen);
    HBITMAP const bitmap = kind == CanvasBitmap::Reachable ? CreateScreenBitmap(screen, width, height)
                                                           : CreateCompatibleBitmap(screen, width, height);
    if (screen)
        ReleaseDC(nullptr, screen);
    // Every call must succeed, or there is no canvas.
    HGDIOBJ const original = screen && dc && bitmap ? SelectObject(dc, bitmap) : nullptr;
    if (!original || original == HGDI_ERROR || !PatBlt(dc, 0, 0, width, height, BLACKNESS)) {
        if (original && original != HGDI_ERROR)
            SelectObject(dc, original);
        if (bitmap)
            DeleteObject(bitmap);
        if (dc)
            DeleteDC(dc);
        return;
    }
    m_dc = dc;
    m_bitmap = bitmap;
    m_original = original;
    m_width = width;
    m_height = height;
}

MemoryCanvas::~MemoryCanvas()
{
    if (!m_dc)
        return;
    SelectObject(m_dc, m_original);
    DeleteObject(m_bitmap);
    DeleteDC(m_dc);
}

void MemoryCanvas::Fill(DWORD rop) const
{
    if (m_dc)
        PatBlt(m_dc, 0, 0, m_width, m_height, rop);
}

std::uint32_t* MemoryCanvas::TopRow(std::ptrdiff_t& stride) const
{
    if (!m_dc)
        return nullptr;
#ifdef _WIN32
    // A DIB section made top-down, 32 bits a pixel; GDI may still be drawing
    // on it.
    DIBSECTION section {};
    if (GetObjectA(m_bitmap, sizeof section, &section) != sizeof section || !section.dsBm.bmBits
        || section.dsBm.bmBitsPixel != 32)
        return nullptr;
    GdiFlush();
    stride = section.dsBm.bmWidthBytes / 4;
    return static_cast<std::uint32_t*>(section.dsBm.bmBits);
#else
    DCPixels pixels {};
    if (!GetDCPixels(m_dc, &pixels))
        return nullptr;
    stride = pixels.stride;
    return pixels.pixels;
#endif
}

std::uint32_t* MemoryCanvas::Row(int y) const
{
    std::ptrdiff_t stride = 0;
    std::uint32_t* const top = TopRow(stride);
    if (!top || y < 0 || y >= m_height)
        return nullptr;
    return top + std::ptrdiff_t(y) * stride;
}

std::vector<std::uint32_t> MemoryCanvas::Pixels() const
{
    std::vector<std::uint32_t> pixels;
    if (!m_dc)
        return pixels;
    pixels.reserve(std::size_t(m_width) * std::size_t(m_height));
    std::ptrdiff_t stride = 0;
    std::uint32_t const* const top = TopRow(stride);
    for (int y = 0; y < m_height; ++y) {
        for (int x = 0; x < m_width; ++x) {
            if (top) {
                pixels.push_back(top[std::ptrdiff_t(y) * stride + x] & 0xFFFFFF);
            } else {
                COLORREF const color = GetPixel(m_dc, x, y);
                pixels.push_back(std::uint32_t(GetRValue(color)) << 16 | std::uint32_t(GetGValue(color)) << 8
                    | GetBValue(color));
            }
        }
    }
    return pixels;
}
