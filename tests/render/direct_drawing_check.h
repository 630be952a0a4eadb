// The check of a drawing straight into pixels, with the kernels of every
// level the machine runs, against the same drawing made cell by cell through
// GDI, shared by our GDI's tests and real GDI's: every pixel equal, on a
// canvas patterned so that untouched pixels show, over rectangles that are
// tiny, clipped at each edge, off the origin, far wider than the canvas,
// reversed or empty.
#pragma once

#include "simd/kernel_level.h"
#include "render/memory_canvas.h"
#include "render/pixel_target.h"
#include "simd/kernel_level.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

namespace direct_drawing {

constexpr int WIDTH = 160;
constexpr int HEIGHT = 120;

using DrawingAt = void (*)(KernelLevel, HDC, int, int, int, int);

struct Target {
    char const* name;
    RECT rect;
};

inline std::vector<Target> const TARGETS = {
    { "1x1", { 0, 0, 1, 1 } },
    { "whole canvas", { 0, 0, WIDTH, HEIGHT } },
    { "odd inside", { 13, 17, 154, 113 } },
    { "clipped left", { -37, 10, 100, 90 } },
    { "clipped top", { 20, -41, 150, 100 } },
    { "clipped right", { 60, 5, 211, 110 } },
    { "clipped bottom", { 7, 50, 150, 175 } },
    { "negative origin", { -80, -60, 90, 70 } },
    { "wider than the canvas", { -900, -20, 1100, 100 } },
    { "16384 wide", { -8000, 3, 8384, 117 } },
    { "reversed", { 150, 110, 30, 20 } },
    { "empty", { 40, 40, 40, 90 } },
};

// Every pixel a different colour from its neighbours.
inline void Pattern(MemoryCanvas const& canvas)
{
    for (int y = 0; y < canvas.Height(); ++y) {
        for (int x = 0; x < canvas.Width(); ++x)
            SetPixel(canvas.DC(), x, y, RGB(x * 37, y * 11, (x ^ y) & 0xFF));
    }
}

// Draws at `level` into a fresh patterned canvas, with the direct path
// allowed or not, and returns every pixel.
inline std::vector<std::uint32_t> Pixels(DrawingAt draw, KernelLevel level, RECT const& rect, bool direct)
{
    MemoryCanvas canvas(WIDTH, HEIGHT);
    Pattern(canvas);
    AllowDirectPixels(direct);
    draw(level, canvas.DC(), rect.left, rect.top, rect.right, rect.bottom);
    AllowDirectPixels(true);
    return canvas.Pixels();
}

inline void ExpectDirectEqualsGdi(DrawingAt draw, char const* drawing)
{
    for (Target const& target : TARGETS) {
        std::vector<std::uint32_t> const throughGdi = Pixels(draw, KernelLevel::Portable, target.rect, false);
        ASSERT_EQ(throughGdi.size(), std::size_t { WIDTH } * HEIGHT) << drawing << ", " << target.name;
        for (KernelLevel level : LevelsThisMachineRuns()) {
            std::vector<std::uint32_t> const direct = Pixels(draw, level, target.rect, true);
            for (std::size_t i = 0; i < direct.size(); ++i) {
                ASSERT_EQ(direct[i], throughGdi[i]) << drawing << " at " << KernelLevelName(level) << ", "
                                                    << target.name << ": pixel (" << i % WIDTH << ", " << i / WIDTH
                                                    << ")";
            }
        }
    }
}

}
