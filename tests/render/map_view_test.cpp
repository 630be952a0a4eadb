#include "render/map_layout.h"
#include "render/map_view.h"
#include "render_test_support.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// The row or column whose cell covers `pixel` on an axis from `origin` of
// length `extent`.
int CoveringIndex(int origin, long long extent, int pixel)
{
    float const step = MapCellStep(extent, INV_GRID_N);
    for (int i = 0; i < GRID_N; ++i) {
        if (MapCellEdge(origin, i, step) <= pixel && pixel < MapCellEdge(origin, i + 1, step))
            return i;
    }
    return -1;
}

class MapView : public ::testing::Test {
protected:
    void SetUp() override
    {
        globe.Roughen();
        globe.Refresh();
    }

    // Checks every pixel of the rectangle against the cell that covers it,
    // and the pixels the cells leave out against `untouched`.
    void ExpectMapOver(TestSurface const& surface, int left, int top, int right, int bottom, COLORREF untouched)
    {
        int mismatches = 0;
        std::string firstMismatch;
        auto expect = [&](int x, int y, COLORREF wanted, char const* what) {
            COLORREF const got = surface.Pixel(x, y);
            if (got != wanted && mismatches++ == 0) {
                firstMismatch = std::string(what) + " pixel (" + std::to_string(x) + ", " + std::to_string(y)
                    + "): got " + std::to_string(got) + ", wanted " + std::to_string(wanted);
            }
        };
        int farRight = right;
        int farBottom = bottom;
        ForEachMapCell(GRID_N, INV_GRID_N, left, top, right, bottom, [&](MapCell const& cell) {
            COLORREF const wanted = globe.CellColor(cell.row, cell.column);
            for (int y = cell.top; y < cell.bottom; ++y) {
                for (int x = cell.left; x < cell.right; ++x)
                    expect(x, y, wanted, "cell");
            }
            farRight = cell.right;
            farBottom = cell.bottom;
        });
        for (int y = top; y < bottom; ++y) {
            for (int x = farRight; x < right; ++x)
                expect(x, y, untouched, "uncovered");
        }
        for (int y = farBottom; y < bottom; ++y) {
            for (int x = left; x < right; ++x)
                expect(x, y, untouched, "uncovered");
        }
        EXPECT_EQ(mismatches, 0) << firstMismatch;
    }

    TestGlobe globe;
};

TEST_F(MapView, FillsEveryCellWithItsOwnPointsColour)
{
    // Uneven steps in both directions.
    int const width = GRID_N + GRID_N / 2 + 3;
    int const height = GRID_N + 7;
    TestSurface surface(width, height);
    ASSERT_TRUE(surface.Valid());
    DrawMap(surface.DC(), 0, 0, width, height);
    ExpectMapOver(surface, 0, 0, width, height, RGB(0, 0, 0));
}

TEST_F(MapView, PutsThePoleRowOnTopAndColumnZeroOnTheLeft)
{
    // Two pixels per cell: the corners show the first and the last cell.
    int const side = 2 * GRID_N;
    TestSurface surface(side, side);
    DrawMap(surface.DC(), 0, 0, side, side);
    EXPECT_EQ(surface.Pixel(0, 0), globe.CellColor(0, 0));
    EXPECT_EQ(surface.Pixel(side - 1, 0), globe.CellColor(0, GRID_N - 1));
    EXPECT_EQ(surface.Pixel(0, side - 1), globe.CellColor(GRID_N - 1, 0));
    EXPECT_EQ(surface.Pixel(side - 1, side - 1), globe.CellColor(GRID_N - 1, GRID_N - 1));
    EXPECT_EQ(surface.Pixel(2 * 3 + 1, 2 * 5), globe.CellColor(5, 3)) << "row 5, column 3";
}

TEST_F(MapView, StaysInsideAnOffsetRectangle)
{
    int const width = 2 * GRID_N + 40;
    int const height = GRID_N + 30;
    TestSurface surface(width, height, WHITENESS);
    int const left = 17;
    int const top = 11;
    int const right = left + 2 * GRID_N + 5;
    int const bottom = top + GRID_N + 9;
    DrawMap(surface.DC(), left, top, right, bottom);
    ExpectMapOver(surface, left, top, right, bottom, RGB(255, 255, 255));
    COLORREF const white = RGB(255, 255, 255);
    for (int x = 0; x < width; ++x) {
        ASSERT_EQ(surface.Pixel(x, top - 1), white) << x;
        ASSERT_EQ(surface.Pixel(x, bottom), white) << x;
    }
    for (int y = 0; y < height; ++y) {
        ASSERT_EQ(surface.Pixel(left - 1, y), white) << y;
        ASSERT_EQ(surface.Pixel(right, y), white) << y;
    }
}

TEST_F(MapView, PaintsTheKnownColumnEdgesAndLeavesAShortFarEdgeBlack)
{
    // At 1920 pixels the 200 grid leaves the last pixel column unpainted;
    // whether a grid does follows from its far edge.
    TestSurface surface(1920, 60);
    DrawMap(surface.DC(), 0, 0, 1920, 60);
    bool const lastColumnPainted = surface.Pixel(1919, 30) != RGB(0, 0, 0);
    bool const farEdgeShort = MapCellEdge(0, GRID_N, MapCellStep(1920, INV_GRID_N)) == 1919;
    EXPECT_EQ(lastColumnPainted, !farEdgeShort);
    if (GRID_N == 200) {
        EXPECT_FALSE(lastColumnPainted);
    }
    EXPECT_EQ(surface.Pixel(1918, 30), globe.CellColor(CoveringIndex(0, 60, 30), GRID_N - 1));

    if (GRID_N == 500) {
        TestSurface even(1000, 500);
        DrawMap(even.DC(), 0, 0, 1000, 500);
        for (int j : { 0, 1, 249, 499 }) {
            for (int i : { 0, 7, 499 }) {
                EXPECT_EQ(even.Pixel(2 * j, i), globe.CellColor(i, j));
                EXPECT_EQ(even.Pixel(2 * j + 1, i), globe.CellColor(i, j));
            }
        }
    }
    if (GRID_N == 75) {
        // Column edges 0, 13, 26, 40, 53, 66 at a width of 1000.
        TestSurface narrow(1000, 75);
        DrawMap(narrow.DC(), 0, 0, 1000, 75);
        int const edges[] = { 0, 13, 26, 40, 53, 66 };
        for (int j = 0; j + 1 < 6; ++j) {
            EXPECT_EQ(narrow.Pixel(edges[j], 4), globe.CellColor(4, j)) << j;
            EXPECT_EQ(narrow.Pixel(edges[j + 1] - 1, 4), globe.CellColor(4, j)) << j;
        }
    }
}

TEST_F(MapView, ReadsTheStatisticsOncePerDrawingAsSinglePrecision)
{
    // All points at one radius but the pole, which sets the maximum: every
    // other cell is ocean at the same depth, so one colour fills the map.
    globe.SetAll({ 0.0f, 0.0f, 1000.0f });
    globe.Point(0, 0) = { 0.0f, 0.0f, 2000.0f };
    globe.Refresh();
    TestSurface surface(GRID_N, GRID_N);
    DrawMap(surface.DC(), 0, 0, GRID_N, GRID_N);
    EXPECT_EQ(surface.Pixel(0, 0), RGB(255, 254, 254));
    COLORREF const sea = globe.CellColor(1, 1);
    EXPECT_EQ(GetRValue(sea), 0);
    EXPECT_EQ(GetGValue(sea), 0);
    EXPECT_EQ(surface.Pixel(GRID_N - 1, GRID_N - 1), sea);
    EXPECT_EQ(surface.Pixel(GRID_N / 2, 0), sea);
}

TEST_F(MapView, LeavesNoGdiObjectBehindAndRestoresTheDcsBrushAndPen)
{
    TestSurface surface(640, 320);
    HGDIOBJ const brush = GetCurrentObject(surface.DC(), OBJ_BRUSH);
    HGDIOBJ const pen = GetCurrentObject(surface.DC(), OBJ_PEN);
    DWORD const before = LiveGdiObjects();
    DrawMap(surface.DC(), 0, 0, 640, 320);
    DrawMap(surface.DC(), 50, 50, 50, 80); // empty: every cell still made
    EXPECT_EQ(LiveGdiObjects(), before);
    EXPECT_EQ(GetCurrentObject(surface.DC(), OBJ_BRUSH), brush);
    EXPECT_EQ(GetCurrentObject(surface.DC(), OBJ_PEN), pen);
}

TEST_F(MapView, AnEmptyRectanglePaintsNothing)
{
    TestSurface surface(64, 64);
    DrawMap(surface.DC(), 10, 10, 10, 60);
    DrawMap(surface.DC(), 10, 10, 60, 10);
    for (int y = 0; y < 64; ++y) {
        for (int x = 0; x < 64; ++x)
            ASSERT_EQ(surface.Pixel(x, y), RGB(0, 0, 0)) << x << "," << y;
    }
}

TEST_F(MapView, HugeRectanglesAreClippedToTheSurface)
{
    TestSurface surface(32, 32);
    DrawMap(surface.DC(), -2147483647 - 1, -2147483647 - 1, 2147483647, 2147483647);
    // The surface lies in the middle of the range, near column and row
    // GRID_N / 2.
    long long const extent = 4294967295LL;
    int const column = CoveringIndex(-2147483647 - 1, extent, 5);
    int const row = CoveringIndex(-2147483647 - 1, extent, 5);
    ASSERT_GE(column, GRID_N / 2 - 1);
    ASSERT_LE(column, GRID_N / 2);
    EXPECT_EQ(surface.Pixel(5, 5), globe.CellColor(row, column));
    int const farCell = CoveringIndex(-2147483647 - 1, extent, 31);
    EXPECT_EQ(surface.Pixel(31, 31), globe.CellColor(farCell, farCell));
}

}
