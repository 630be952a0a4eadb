// The map and both views drawn straight into the pixels against the same
// drawings made cell by cell through GDI (tests/render/direct_drawing_check.h),
// and a monochrome bitmap, whose pixels are out of reach, drawn through GDI.
#include "globe/random.h"
#include "render/hemisphere_views.h"
#include "render/map_view.h"
#include "render/pixel_target.h"
#include "render_test_support.h"
#include "tests/render/direct_drawing_check.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using namespace direct_drawing;

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
