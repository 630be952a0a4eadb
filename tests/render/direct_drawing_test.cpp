// The map and both views drawn straight into the pixels against the same
// drawings made cell by cell through GDI: every pixel equal, on rectangles
// that are tiny, clipped at each edge, off the origin, far wider than the
// surface, reversed or empty.
#include "globe/random.h"
#include "render/hemisphere_views.h"
#include "render/map_view.h"
#include "render/pixel_target.h"
#include "render_test_support.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

constexpr int WIDTH = 160;
constexpr int HEIGHT = 120;

using Drawing = void (*)(HDC, int, int, int, int);

struct Target {
    char const* name;
    RECT rect;
};

std::vector<Target> const TARGETS = {
    { "1x1", { 0, 0, 1, 1 } },
    { "whole surface", { 0, 0, WIDTH, HEIGHT } },
    { "odd inside", { 13, 17, 154, 113 } },
    { "clipped left", { -37, 10, 100, 90 } },
    { "clipped top", { 20, -41, 150, 100 } },
    { "clipped right", { 60, 5, 211, 110 } },
    { "clipped bottom", { 7, 50, 150, 175 } },
    { "negative origin", { -80, -60, 90, 70 } },
    { "wider than the surface", { -900, -20, 1100, 100 } },
    { "16384 wide", { -8000, 3, 8384, 117 } },
    { "reversed", { 150, 110, 30, 20 } },
    { "empty", { 40, 40, 40, 90 } },
};

// Draws into a fresh surface patterned so that untouched pixels show, with
// the direct path allowed or not, and returns every pixel.
std::vector<COLORREF> Pixels(Drawing draw, RECT const& rect, bool direct)
{
    TestSurface surface(WIDTH, HEIGHT);
    for (int y = 0; y < HEIGHT; ++y) {
        for (int x = 0; x < WIDTH; ++x)
            SetPixel(surface.DC(), x, y, RGB(x * 37, y * 11, (x ^ y) & 0xFF));
    }
    AllowDirectPixels(direct);
    draw(surface.DC(), rect.left, rect.top, rect.right, rect.bottom);
    AllowDirectPixels(true);
    std::vector<COLORREF> pixels;
    pixels.reserve(WIDTH * HEIGHT);
    for (int y = 0; y < HEIGHT; ++y) {
        for (int x = 0; x < WIDTH; ++x)
            pixels.push_back(surface.Pixel(x, y));
    }
    return pixels;
}

void ExpectDirectEqualsGdi(Drawing draw, char const* drawing)
{
    for (Target const& target : TARGETS) {
        std::vector<COLORREF> const throughGdi = Pixels(draw, target.rect, false);
        std::vector<COLORREF> const direct = Pixels(draw, target.rect, true);
        for (std::size_t i = 0; i < direct.size(); ++i) {
            ASSERT_EQ(direct[i], throughGdi[i]) << drawing << ", " << target.name << ": pixel (" << i % WIDTH << ", "
                                                << i / WIDTH << ")";
        }
    }
}

class DirectDrawing : public ::testing::Test {
protected:
    void SetUp() override
    {
        g_random = RandomGenerator(4242, 17, false);
        globe->Dissect(GRID_N >= 700 ? 20 : 200);
    }

    TestGlobe globe;
};

}

TEST_F(DirectDrawing, MapEqualsTheCellByCellDrawing)
{
    ExpectDirectEqualsGdi(DrawMap, "map");
}

TEST_F(DirectDrawing, LowerHemisphereEqualsTheCellByCellDrawing)
{
    ExpectDirectEqualsGdi(DrawLowerHemisphere, "lower view");
}

TEST_F(DirectDrawing, UpperHemisphereEqualsTheCellByCellDrawing)
{
    ExpectDirectEqualsGdi(DrawUpperHemisphere, "upper view");
}

// A later drawing of a changed globe must not show the colours cached for
// the earlier one.
TEST_F(DirectDrawing, FollowsTheGlobeFromOneBatchToTheNext)
{
    RECT const whole { 0, 0, WIDTH, HEIGHT };
    Pixels(DrawMap, whole, true);
    Pixels(DrawLowerHemisphere, whole, true);
    globe->Dissect(50);
    EXPECT_EQ(Pixels(DrawMap, whole, true), Pixels(DrawMap, whole, false));
    EXPECT_EQ(Pixels(DrawLowerHemisphere, whole, true), Pixels(DrawLowerHemisphere, whole, false));
}

// A monochrome bitmap is drawn through GDI, dithered brushes and all.
TEST_F(DirectDrawing, LeavesAMonochromeBitmapToGdi)
{
    HDC const dc = CreateCompatibleDC(nullptr);
    HBITMAP const bitmap = CreateBitmap(64, 48, 1, 1, nullptr);
    HGDIOBJ const original = SelectObject(dc, bitmap);
    PixelTarget target;
    EXPECT_FALSE(ReachPixels(dc, target));
    DrawMap(dc, 0, 0, 64, 48);
    SelectObject(dc, original);
    DeleteObject(bitmap);
    DeleteDC(dc);
}
