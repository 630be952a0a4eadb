#include "render/map_layout.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

namespace {

// The single-precision 1/N of each grid size.
constexpr float INV_75 = 0.013333333656191826f;
constexpr float INV_200 = 0.004999999888241291f;
constexpr float INV_500 = 0.0020000000949949026f;
constexpr float INV_700 = 0.0014285714132711291f;
constexpr float INV_1000 = 0.0010000000474974513f;

std::vector<int> Edges(int n, float inverse, int origin, int extent)
{
    float const step = MapCellStep(extent, inverse);
    std::vector<int> edges;
    for (int i = 0; i <= n; ++i)
        edges.push_back(MapCellEdge(origin, i, step));
    return edges;
}

TEST(MapLayout, WholeStepsGiveEvenCells)
{
    // 500 points over 1000 x 500: steps of exactly 2 and 1.
    EXPECT_EQ(MapCellStep(1000, INV_500), 2.0f);
    EXPECT_EQ(MapCellStep(500, INV_500), 1.0f);
    auto const columns = Edges(500, INV_500, 0, 1000);
    auto const rows = Edges(500, INV_500, 0, 500);
    for (int j = 0; j <= 500; ++j) {
        ASSERT_EQ(columns[j], 2 * j);
        ASSERT_EQ(rows[j], j);
    }
}

TEST(MapLayout, FractionalStepsGiveCellsThatDifferByAPixel)
{
    float const step = MapCellStep(1000, INV_75);
    // The float just above 13 1/3.
    EXPECT_GT(static_cast<double>(step), 40.0 / 3.0);
    EXPECT_LT(static_cast<double>(std::nextafter(step, 0.0f)), 40.0 / 3.0);
    auto const edges = Edges(75, INV_75, 0, 1000);
    std::vector<int> const first(edges.begin(), edges.begin() + 6);
    EXPECT_EQ(first, (std::vector<int> { 0, 13, 26, 40, 53, 66 }));
    EXPECT_EQ(edges.back(), 1000);
}

TEST(MapLayout, EdgesAreOffsetByTheOriginAfterTruncation)
{
    // 10 + trunc(j * step), not trunc(10.5 + j * step) or a running sum.
    auto const shifted = Edges(75, INV_75, 10, 1000);
    auto const plain = Edges(75, INV_75, 0, 1000);
    for (std::size_t j = 0; j < plain.size(); ++j)
        ASSERT_EQ(shifted[j], plain[j] + 10);
    auto const negative = Edges(75, INV_75, -7, 1000);
    EXPECT_EQ(negative[1], 6);
}

TEST(MapLayout, TheFarEdgeFallsShortWhereOneOverNRoundsDown)
{
    // 200 over 1920: the step is the float just below 9.6 and the last
    // column ends at 1919.
    float const step = MapCellStep(1920, INV_200);
    EXPECT_LT(static_cast<double>(step), 9.6);
    EXPECT_GT(static_cast<double>(std::nextafter(step, 10.0f)), 9.6);
    EXPECT_EQ(Edges(200, INV_200, 0, 1920).back(), 1919);
    EXPECT_EQ(Edges(200, INV_200, 100, 1920).back(), 2019);
}

std::vector<int> ShortWidths(int n, float inverse, int upTo)
{
    std::vector<int> widths;
    for (int width = 1; width <= upTo; ++width) {
        int const last = MapCellEdge(0, n, MapCellStep(width, inverse));
        EXPECT_GE(last, width - 1) << "at most one pixel short";
        EXPECT_LE(last, width) << "never past the rectangle";
        if (last != width)
            widths.push_back(width);
    }
    return widths;
}

TEST(MapLayout, WhichWidthsFallShortDependsOnTheGrid)
{
    std::vector<int> const rare = { 33, 66, 132, 147, 257, 264, 294, 505 };
    EXPECT_EQ(ShortWidths(500, INV_500, 505), rare);
    EXPECT_EQ(ShortWidths(1000, INV_1000, 505), rare);
    auto const at75 = ShortWidths(75, INV_75, 24);
    EXPECT_EQ(at75, (std::vector<int> { 3, 6, 12, 13, 19, 24 }));
    // At 200 and 700, 1/N rounds down and most widths fall short.
    EXPECT_GT(ShortWidths(200, INV_200, 1000).size(), 500u);
    EXPECT_GT(ShortWidths(700, INV_700, 1000).size(), 500u);
}

TEST(MapLayout, VisitsColumnByColumnFromTheTopLeftCorner)
{
    std::vector<MapCell> cells;
    ForEachMapCell(4, 0.25f, 10, 20, 50, 60, [&](MapCell const& cell) { cells.push_back(cell); });
    ASSERT_EQ(cells.size(), 16u);
    for (int n = 0; n < 16; ++n) {
        MapCell const& cell = cells[n];
        ASSERT_EQ(cell.column, n / 4) << "cell " << n;
        ASSERT_EQ(cell.row, n % 4) << "cell " << n;
        EXPECT_EQ(cell.left, 10 + 10 * cell.column);
        EXPECT_EQ(cell.right, 20 + 10 * cell.column);
        EXPECT_EQ(cell.top, 20 + 10 * cell.row);
        EXPECT_EQ(cell.bottom, 30 + 10 * cell.row);
    }
    EXPECT_EQ(cells.front().left, 10);
    EXPECT_EQ(cells.front().top, 20);
    EXPECT_EQ(cells.back().right, 50);
    EXPECT_EQ(cells.back().bottom, 60);
}

TEST(MapLayout, AnnouncesEachColumnBeforeItsCells)
{
    std::vector<int> events; // -1 - column for a column, else the cell's column
    ForEachMapCell(
        3, 1.0f / 3.0f, 0, 0, 30, 30, [&](std::int32_t column) { events.push_back(-1 - column); },
        [&](MapCell const& cell) { events.push_back(cell.column); });
    EXPECT_EQ(events, (std::vector<int> { -1, 0, 0, 0, -2, 1, 1, 1, -3, 2, 2, 2 }));
}

TEST(MapLayout, NeighboursShareTheirEdges)
{
    std::vector<MapCell> cells;
    ForEachMapCell(75, INV_75, 3, 5, 1000, 437, [&](MapCell const& cell) { cells.push_back(cell); });
    ASSERT_EQ(cells.size(), 75u * 75u);
    for (std::size_t n = 0; n < cells.size(); ++n) {
        MapCell const& cell = cells[n];
        if (cell.row + 1 < 75) {
            ASSERT_EQ(cells[n + 1].top, cell.bottom);
        }
        if (cell.column + 1 < 75) {
            ASSERT_EQ(cells[n + 75].left, cell.right);
        }
        ASSERT_GE(cell.right, cell.left);
        ASSERT_GE(cell.bottom, cell.top);
    }
}

TEST(MapLayout, EmptyRectanglesStillVisitEveryCell)
{
    int visited = 0;
    int nonEmpty = 0;
    ForEachMapCell(200, INV_200, 40, 40, 40, 90, [&](MapCell const& cell) {
        ++visited;
        nonEmpty += cell.right != cell.left;
    });
    EXPECT_EQ(visited, 200 * 200);
    EXPECT_EQ(nonEmpty, 0);
}

TEST(MapLayout, ExtremeRectanglesSaturateInsteadOfOverflowing)
{
    constexpr int LOW = std::numeric_limits<int>::min();
    constexpr int HIGH = std::numeric_limits<int>::max();
    std::vector<MapCell> cells;
    ForEachMapCell(75, INV_75, LOW, HIGH, HIGH, LOW, [&](MapCell const& cell) { cells.push_back(cell); });
    EXPECT_EQ(cells.front().left, LOW);
    EXPECT_EQ(cells.front().top, HIGH);
    EXPECT_EQ(cells.back().right, HIGH) << "the width 2^32 - 1 times 75 * INV_75 passes INT_MAX";
    EXPECT_LT(cells.back().bottom, cells.front().top);
    for (std::size_t n = 1; n < cells.size(); ++n) {
        if (cells[n].column == cells[n - 1].column) {
            ASSERT_LE(cells[n].top, cells[n - 1].top) << "a reversed rectangle runs upwards";
        } else {
            ASSERT_GE(cells[n].left, cells[n - 1].left);
        }
    }
}

}
