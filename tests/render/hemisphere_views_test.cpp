#include "globe/random.h"
#include "render/hemisphere_views.h"
#include "render_test_support.h"

#include <gtest/gtest.h>

namespace {

constexpr COLORREF BLACK = RGB(0, 0, 0);

// A scene on a globe whose points all sit at (0, 0, 1), where only the cells
// a test sets up show: the rest are on the upper side and, in the upper
// view, collapse onto the centre. The pole sets the maximum radius to 2000.
class HemisphereScene : public ::testing::Test {
protected:
    void SetUp() override
    {
        static_assert(GRID_N > 9);
        globe.SetAll({ 0.0f, 0.0f, 1.0f });
        for (int k = 0; k < GRID_N; ++k)
            globe.Point(0, k) = { 0.0f, 0.0f, 2000.0f };
    }

    TestGlobe globe;
};

TEST_F(HemisphereScene, FillsTheSquareBetweenItsCornersTruncatedProjections)
{
    // The rectangle (5, 25, 405, 325): centre (205, 175), scale 0.075.
    // The cell's corners project to (280, 137), (280, 141), (284, 141) and
    // (284, 137): a 4 x 4 square.
    globe.Point(10, 20) = { 1000.7f, -500.2f, -3.0f };
    globe.Point(11, 20) = { 1000.7f, -453.0f, 1.0f };
    globe.Point(11, 21) = { 1054.0f, -453.0f, 1.0f };
    globe.Point(10, 21) = { 1054.0f, -500.2f, 1.0f };
    globe.Refresh();
    ASSERT_EQ(globe->GetMaxRadius(), 2000.0);

    TestSurface surface(420, 340);
    DrawLowerHemisphere(surface.DC(), 5, 25, 405, 325);
    COLORREF const cell = globe.CellColor(10, 20);
    ASSERT_NE(cell, BLACK);
    EXPECT_EQ(surface.Pixel(280, 137), cell);
    EXPECT_EQ(surface.Pixel(283, 140), cell);
    EXPECT_EQ(surface.Pixel(279, 137), BLACK);
    EXPECT_EQ(surface.Pixel(280, 136), BLACK);
    EXPECT_EQ(surface.Pixel(284, 140), BLACK);
    EXPECT_EQ(surface.Pixel(283, 141), BLACK);
}

TEST_F(HemisphereScene, DrawsColumnByColumnAndLaterCellsCoverEarlierOnes)
{
    // Over (0, 0, 400, 400) the centre is (200, 200) and the scale 0.1, so
    // a coordinate of 100 lands 10 pixels from the centre.
    auto square = [&](int row, int column, float x0, float y0, float x1, float y1, float z) {
        globe.Point(row, column) = { x0, y0, z };
        globe.Point(row + 1, column) = { x0, y1, 1.0f };
        globe.Point(row + 1, column + 1) = { x1, y1, 1.0f };
        globe.Point(row, column + 1) = { x1, y0, 1.0f };
    };
    square(5, 3, 100, 100, 500, 500, -100.0f);  // A: pixels 210 to 249, first
    square(7, 3, 0, 0, 200, 200, -1000.0f);     // C: pixels 200 to 219, second
    square(2, 4, 300, 300, 700, 700, -1900.0f); // B: pixels 230 to 269, last
    globe.Refresh();
    COLORREF const a = globe.CellColor(5, 3);
    COLORREF const b = globe.CellColor(2, 4);
    COLORREF const c = globe.CellColor(7, 3);
    ASSERT_NE(a, b);
    ASSERT_NE(a, c);
    ASSERT_NE(b, c);

    TestSurface surface(400, 400);
    DrawLowerHemisphere(surface.DC(), 0, 0, 400, 400);
    EXPECT_EQ(surface.Pixel(212, 245), a);
    EXPECT_EQ(surface.Pixel(215, 215), c) << "row 7 comes after row 5 in the same column";
    EXPECT_EQ(surface.Pixel(240, 240), b) << "column 4 comes after column 3, whatever the rows";
    EXPECT_EQ(surface.Pixel(265, 265), b);
    EXPECT_EQ(surface.Pixel(205, 205), c);
    EXPECT_EQ(surface.Pixel(199, 199), BLACK);
    EXPECT_EQ(surface.Pixel(270, 270), BLACK);
}

TEST_F(HemisphereScene, TheLastRowAndColumnWrapToTheFirst)
{
    // The only lower cell is (GRID_N - 1, GRID_N - 1). Its second and third
    // corners are row 0's points, at the centre; its fourth is column 0.
    int const last = GRID_N - 1;
    globe.Point(last, last) = { 1000.0f, 0.0f, -50.0f };
    globe.Point(last, 0) = { 1000.0f, 1000.0f, 10.0f };
    globe.Refresh();

    TestSurface surface(400, 400);
    DrawLowerHemisphere(surface.DC(), 0, 0, 400, 400);
    // The triangle (300, 200), (200, 200), (300, 300).
    COLORREF const cell = globe.CellColor(last, last);
    EXPECT_EQ(surface.Pixel(290, 220), cell);
    EXPECT_EQ(surface.Pixel(250, 210), cell);
    EXPECT_EQ(surface.Pixel(220, 290), BLACK);
    EXPECT_EQ(surface.Pixel(150, 150), BLACK);
}

bool AllBlack(TestSurface const& surface)
{
    for (int y = 0; y < surface.height; ++y) {
        for (int x = 0; x < surface.width; ++x) {
            if (surface.Pixel(x, y) != BLACK)
                return false;
        }
    }
    return true;
}

TEST(HemisphereSides, APointOnThePlaneZEqualsZeroIsDrawnByNeitherView)
{
    TestGlobe globe;
    // Flatten the sphere onto the plane z = 0, keeping x and y: the cells
    // would cover the whole disc, on either side.
    for (int i = 0; i < GRID_N; ++i) {
        for (int k = 0; k < GRID_N; ++k) {
            GlobePoint& p = globe.Point(i, k);
            p.z = (i + k) % 2 ? 0.0f : -0.0f;
        }
    }
    globe.Refresh();
    TestSurface lower(160, 160);
    TestSurface upper(160, 160);
    DrawLowerHemisphere(lower.DC(), 0, 0, 160, 160);
    DrawUpperHemisphere(upper.DC(), 0, 0, 160, 160);
    EXPECT_TRUE(AllBlack(lower));
    EXPECT_TRUE(AllBlack(upper));

    // The smallest step off the plane is enough.
    for (int i = 0; i < GRID_N; ++i) {
        for (int k = 0; k < GRID_N; ++k)
            globe.Point(i, k).z = (i < GRID_N / 2 ? 1 : -1) * 1e-45f;
    }
    DrawLowerHemisphere(lower.DC(), 0, 0, 160, 160);
    DrawUpperHemisphere(upper.DC(), 0, 0, 160, 160);
    EXPECT_FALSE(AllBlack(lower));
    EXPECT_FALSE(AllBlack(upper));
}

int CountPeakPixels(TestSurface const& surface)
{
    int count = 0;
    for (int y = 0; y < surface.height; ++y) {
        for (int x = 0; x < surface.width; ++x) {
            COLORREF const c = surface.Pixel(x, y);
            count += GetGValue(c) == 254 && GetBValue(c) == 254;
        }
    }
    return count;
}

TEST(HemisphereSides, TheRowNearestTheEquatorIsDrawnByExactlyOneView)
{
    // On the sphere, row GRID_N / 2 lies a hair off the plane z = 0. Give it
    // the maximum radius (the peak colour) and pull the next row in, so its
    // cells show as a bright ring in the one view that draws them.
    TestGlobe globe;
    int const equator = GRID_N / 2;
    for (int i = 0; i < GRID_N; ++i) {
        float const factor = i == equator ? 1.0f : i == equator + 1 ? 0.5f : 0.95f;
        for (int k = 0; k < GRID_N; ++k) {
            GlobePoint& p = globe.Point(i, k);
            p = { p.x * factor, p.y * factor, p.z * factor };
        }
    }
    globe.Refresh();
    TestSurface lower(200, 200);
    TestSurface upper(200, 200);
    DrawLowerHemisphere(lower.DC(), 0, 0, 200, 200);
    DrawUpperHemisphere(upper.DC(), 0, 0, 200, 200);

    bool const upperHasIt = GRID_N == 75 || GRID_N == 700;
    EXPECT_EQ(CountPeakPixels(upper) > 0, upperHasIt);
    EXPECT_EQ(CountPeakPixels(lower) > 0, !upperHasIt);
    EXPECT_GT(CountPeakPixels(upperHasIt ? upper : lower), 100);
}

class GrownGlobeViews : public ::testing::Test {
protected:
    void SetUp() override
    {
        g_random = RandomGenerator(1802, 9373, false);
        globe->Dissect(150);
    }
    TestGlobe globe;
};

TEST_F(GrownGlobeViews, StayInsideTheFittedDisc)
{
    // Over (10, 20, 490, 300): side 280, centre (250, 160).
    TestSurface surface(500, 320);
    for (auto draw : { DrawLowerHemisphere, DrawUpperHemisphere }) {
        PatBlt(surface.DC(), 0, 0, 500, 320, BLACKNESS);
        draw(surface.DC(), 10, 20, 490, 300);
        int painted = 0;
        for (int y = 0; y < 320; ++y) {
            for (int x = 0; x < 500; ++x) {
                if (surface.Pixel(x, y) == BLACK)
                    continue;
                ++painted;
                long const dx = x - 250;
                long const dy = y - 160;
                ASSERT_LE(dx * dx + dy * dy, 141L * 141L) << x << "," << y;
            }
        }
        // The disc's area is about 61,600 pixels.
        EXPECT_GT(painted, 55000);
    }
}

TEST_F(GrownGlobeViews, TheCentreShowsThePoles)
{
    // The lower view's last row closes the disc at the centre; the upper
    // view's row 0 starts there.
    TestSurface lower(300, 300);
    TestSurface upper(300, 300);
    DrawLowerHemisphere(lower.DC(), 0, 0, 300, 300);
    DrawUpperHemisphere(upper.DC(), 0, 0, 300, 300);
    EXPECT_NE(lower.Pixel(150, 150), BLACK);
    EXPECT_NE(upper.Pixel(150, 150), BLACK);
}

TEST_F(GrownGlobeViews, LeaveNoGdiObjectBehindAndRestoreTheDcsBrushAndPen)
{
    TestSurface surface(960, 520);
    HGDIOBJ const brush = GetCurrentObject(surface.DC(), OBJ_BRUSH);
    HGDIOBJ const pen = GetCurrentObject(surface.DC(), OBJ_PEN);
    DWORD const before = LiveGdiObjects();
    DrawLowerHemisphere(surface.DC(), 0, 0, 480, 520);
    DrawUpperHemisphere(surface.DC(), 480, 0, 960, 520);
    DrawLowerHemisphere(surface.DC(), 7, 7, 7, 7);
    EXPECT_EQ(LiveGdiObjects(), before);
    EXPECT_EQ(GetCurrentObject(surface.DC(), OBJ_BRUSH), brush);
    EXPECT_EQ(GetCurrentObject(surface.DC(), OBJ_PEN), pen);
}

TEST_F(GrownGlobeViews, AnEmptyRectanglePaintsNothing)
{
    TestSurface surface(64, 64);
    DrawLowerHemisphere(surface.DC(), 32, 0, 32, 64);
    DrawUpperHemisphere(surface.DC(), 0, 32, 64, 32);
    EXPECT_TRUE(AllBlack(surface));
}

}
