// Shared helpers for the rendering tests: a drawing surface and a globe
// whose points a test can set.
#pragma once

#include "globe/planet.h"
#include "render/cell_color.h"
#include "render/float_conversion.h"
#include "render/memory_canvas.h"
#include "tests/globe_editor.h"

#include <windows.h>

#include <cstdint>
#include <memory>

// A width x height colour canvas, filled with one colour.
class TestSurface {
public:
    TestSurface(int width, int height, DWORD fillRop = BLACKNESS)
        : width(width)
        , height(height)
        , canvas(width, height)
    {
        canvas.Fill(fillRop);
    }

    bool Valid() const { return canvas.Valid(); }
    HDC DC() const { return canvas.DC(); }
    COLORREF Pixel(int x, int y) const { return GetPixel(canvas.DC(), x, y); }

    int width;
    int height;

private:
    MemoryCanvas canvas;
};

// A globe installed as g_globe for the test's lifetime, with writable points.
class TestGlobe {
public:
    TestGlobe()
        : globe(std::make_unique<Globe>())
    {
        previous = g_globe;
        g_globe = globe.get();
        globe->UpdateStatistics();
    }
    ~TestGlobe() { g_globe = previous; }
    TestGlobe(TestGlobe const&) = delete;
    TestGlobe& operator=(TestGlobe const&) = delete;

    Globe& operator*() { return *globe; }
    Globe* operator->() { return globe.get(); }

    // The point at (row, column), to write; drawings made from here on
    // see the change.
    GlobePoint& Point(int row, int column) { return GlobeEditor::Point(*globe, row, column); }

    void SetAll(GlobePoint p)
    {
        for (int i = 0; i < GRID_N; ++i) {
            for (int j = 0; j < GRID_N; ++j)
                Point(i, j) = p;
        }
    }

    // Scales every point's distance from the centre by a factor that
    // varies from point to point, so neighbouring cells differ in colour.
    void Roughen()
    {
        std::uint32_t state = 12345;
        for (int i = 0; i < GRID_N; ++i) {
            for (int j = 0; j < GRID_N; ++j) {
                state = state * 1664525u + 1013904223u;
                float const factor = 0.97f + static_cast<float>(state >> 8) * (0.06f / 16777216.0f);
                GlobePoint& p = Point(i, j);
                p = { p.x * factor, p.y * factor, p.z * factor };
            }
        }
    }

    void Refresh() { globe->UpdateStatistics(); }

    // The colour the views give the cell whose first point is (row, column).
    COLORREF CellColor(int row, int column) const { return ::CellColor(*globe, row, column); }

private:
    std::unique_ptr<Globe> globe;
    Globe* previous = nullptr;
};

inline DWORD LiveGdiObjects()
{
    return GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
}

// False where the count is not kept: Wine's GetGuiResources always returns
// 0, so there a count proves nothing, not even while a DC is alive.
inline bool GdiObjectsAreCounted()
{
    HDC const dc = CreateCompatibleDC(nullptr);
    bool const counted = LiveGdiObjects() > 0;
    DeleteDC(dc);
    return counted;
}
