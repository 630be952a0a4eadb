// Helpers shared by the GDI tests: a memory DC with a colour bitmap of a
// given size, and whole-surface reads.
#pragma once

#include "winapi/gdi/surface.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace gdi_test {

// A memory DC with a selected bitmap, cleaned up at scope end.
class Canvas {
public:
    Canvas(int width, int height, bool monochrome = false)
    {
        m_dc = CreateCompatibleDC(nullptr);
        m_bitmap = monochrome ? CreateBitmap(width, height, 1, 1, nullptr)
                              : CreateBitmap(width, height, 1, 32, nullptr);
        m_previous = SelectObject(m_dc, m_bitmap);
    }
    ~Canvas()
    {
        SelectObject(m_dc, m_previous);
        DeleteObject(m_bitmap);
        DeleteDC(m_dc);
    }
    Canvas(Canvas const&) = delete;
    Canvas& operator=(Canvas const&) = delete;

    HDC dc() const { return m_dc; }
    HBITMAP bitmap() const { return m_bitmap; }
    winapi::Surface& surface() const { return *winapi::GetDCSurface(m_dc); }

    void Fill(std::uint32_t pixel)
    {
        winapi::Surface& s = surface();
        for (int y = 0; y < s.Height(); ++y)
            for (int x = 0; x < s.Width(); ++x)
                s.Row(y)[x] = pixel;
    }

    std::vector<std::uint32_t> Pixels() const
    {
        winapi::Surface const& s = surface();
        return std::vector<std::uint32_t>(s.Pixels(), s.Pixels() + std::size_t(s.Width()) * s.Height());
    }

private:
    HDC m_dc = nullptr;
    HBITMAP m_bitmap = nullptr;
    HGDIOBJ m_previous = nullptr;
};

// Selects a solid brush and the null pen for the scope.
class SolidFill {
public:
    SolidFill(HDC dc, COLORREF color)
        : m_dc(dc)
    {
        m_brush = CreateSolidBrush(color);
        m_pen = CreatePen(PS_NULL, 0, 0);
        m_oldBrush = SelectObject(dc, m_brush);
        m_oldPen = SelectObject(dc, m_pen);
    }
    ~SolidFill()
    {
        SelectObject(m_dc, m_oldBrush);
        SelectObject(m_dc, m_oldPen);
        DeleteObject(m_brush);
        DeleteObject(m_pen);
    }
    SolidFill(SolidFill const&) = delete;
    SolidFill& operator=(SolidFill const&) = delete;

private:
    HDC m_dc;
    HBRUSH m_brush;
    HPEN m_pen;
    HGDIOBJ m_oldBrush;
    HGDIOBJ m_oldPen;
};

inline DWORD LiveObjects() { return GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS); }

} // namespace gdi_test
