#include "render/map_view.h"
#include "render/pixel_target.h"
#include "render_test_support.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

namespace {

// The map's cell edges along one axis, worked out from the rule itself: the
// step is the extent times the single-precision 1/N, multiplied in double
// precision and rounded to single; edge i is the origin plus the truncated
// double product i * step. Edges are kept in 64 bits, so a huge rectangle
// needs no saturation for the pixels a surface can show.
std::vector<long long> ExpectedEdges(long long origin, long long extent)
{
    float const step = static_cast<float>(static_cast<double>(extent) * static_cast<double>(INV_GRID_N));
    std::vector<long long> edges;
    for (int i = 0; i <= GRID_N; ++i)
        edges.push_back(origin + static_cast<long long>(std::trunc(static_cast<double>(i) * static_cast<double>(step))));
    return edges;
}

// The cell between two edges that holds `pixel`, or -1 when none does.
int CoveringIndex(std::vector<long long> const& edges, long long pixel)
{
    for (std::size_t i = 0; i + 1 < edges.size(); ++i) {
        if (edges[i] <= pixel && pixel < edges[i + 1])
            return static_cast<int>(i);
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

    void TearDown() override { AllowDirectPixels(true); }

    // Checks every pixel of the rectangle against the cell that covers it,
    // and the pixels no cell covers against `untouched`.
    void ExpectMapOver(TestSurface const& surface, int left, int top, int right, int bottom, COLORREF untouched)
    {
        std::vector<long long> const columnEdges = ExpectedEdges(left, static_cast<long long>(right) - left);
        std::vector<long long> const rowEdges = ExpectedEdges(top, static_cast<long long>(bottom) - top);
        std::vector<int> columns;
        for (int x = left; x < right; ++x)
            columns.push_back(CoveringIndex(columnEdges, x));
        int mismatches = 0;
        std::string firstMismatch;
        for (int y = top; y < bottom; ++y) {
            int const row = CoveringIndex(rowEdges, y);
            for (int x = left; x < right; ++x) {
                int const column = columns[static_cast<std::size_t>(x - left)];
                bool const covered = row >= 0 && column >= 0;
                COLORREF const wanted = covered ? globe.CellColor(row, column) : untouched;
                COLORREF const got = surface.Pixel(x, y);
                if (got != wanted && mismatches++ == 0) {
                    firstMismatch = std::string(covered ? "cell" : "uncovered") + " pixel (" + std::to_string(x)
                        + ", " + std::to_string(y) + "): got " + std::to_string(got) + ", wanted "
                        + std::to_string(wanted);
                }
            }
        }
        EXPECT_EQ(mismatches, 0) << firstMismatch;
    }

    TestGlobe globe;
};

TEST_F(MapView, FillsEveryCellWithItsOwnPointsColour)
{
    // Uneven steps in both directions, straight into the pixels and cell by
    // cell through GDI.
    int const width = GRID_N + GRID_N / 2 + 3;
    int const height = GRID_N + 7;
    for (bool const direct : { true, false }) {
        SCOPED_TRACE(direct ? "direct" : "through GDI");
        TestSurface surface(width, height);
        ASSERT_TRUE(surface.Valid());
        AllowDirectPixels(direct);
        DrawMap(surface.DC(), 0, 0, width, height);
        ExpectMapOver(surface, 0, 0, width, height, RGB(0, 0, 0));
    }
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
    int const left = 17;
    int const top = 11;
    int const right = left + 2 * GRID_N + 5;
    int const bottom = top + GRID_N + 9;
    COLORREF const white = RGB(255, 255, 255);
    for (bool const direct : { true, false }) {
        SCOPED_TRACE(direct ? "direct" : "through GDI");
        TestSurface surface(width, height, WHITENESS);
        AllowDirectPixels(direct);
        DrawMap(surface.DC(), left, top, right, bottom);
        ExpectMapOver(surface, left, top, right, bottom, white);
        for (int x = 0; x < width; ++x) {
            ASSERT_EQ(surface.Pixel(x, top - 1), white) << x;
            ASSERT_EQ(surface.Pixel(x, bottom), white) << x;
        }
        for (int y = 0; y < height; ++y) {
            ASSERT_EQ(surface.Pixel(left - 1, y), white) << y;
            ASSERT_EQ(surface.Pixel(right, y), white) << y;
        }
    }
}

TEST_F(MapView, PaintsTheKnownColumnEdgesAndLeavesAShortFarEdgeBlack)
{
    // At 1920 pixels the far edge is 1920 for every grid but 200: its step,
    // the float just below 9.6, puts the edge at 1919 and leaves the last
    // pixel column black.
    TestSurface surface(1920, 60);
    DrawMap(surface.DC(), 0, 0, 1920, 60);
    int const row = CoveringIndex(ExpectedEdges(0, 60), 30);
    COLORREF const lastCell = globe.CellColor(row, GRID_N - 1);
    EXPECT_EQ(surface.Pixel(1919, 30), GRID_N == 200 ? RGB(0, 0, 0) : lastCell);
    EXPECT_EQ(surface.Pixel(1918, 30), lastCell);

    // The first column edges, worked out by hand: at 200 over 1920, five
    // steps make 47.99..., truncated to 47; at 75 over 1000 the step is a
    // hair over 13 1/3.
    struct KnownEdges {
        int gridN;
        int width;
        int edges[6];
    };
    for (KnownEdges const& known : { KnownEdges { 200, 1920, { 0, 9, 19, 28, 38, 47 } },
             KnownEdges { 75, 1000, { 0, 13, 26, 40, 53, 66 } } }) {
        if (known.gridN != GRID_N)
            continue;
        TestSurface narrow(known.width, GRID_N);
        DrawMap(narrow.DC(), 0, 0, known.width, GRID_N);
        for (int j = 0; j + 1 < 6; ++j) {
            EXPECT_EQ(narrow.Pixel(known.edges[j], 4), globe.CellColor(4, j)) << j;
            EXPECT_EQ(narrow.Pixel(known.edges[j + 1] - 1, 4), globe.CellColor(4, j)) << j;
        }
    }

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
    std::vector<long long> const edges = ExpectedEdges(-2147483647LL - 1, 4294967295LL);
    int const cell = CoveringIndex(edges, 5);
    ASSERT_GE(cell, GRID_N / 2 - 1);
    ASSERT_LE(cell, GRID_N / 2);
    EXPECT_EQ(surface.Pixel(5, 5), globe.CellColor(cell, cell));
    int const farCell = CoveringIndex(edges, 31);
    EXPECT_EQ(surface.Pixel(31, 31), globe.CellColor(farCell, farCell));
}

}
