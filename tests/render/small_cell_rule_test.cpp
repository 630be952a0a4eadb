// The small-cell rule for one cell and for four and eight lanes against the
// general scanner, on random cells around the clip's edges: one to a few
// rows tall, folded or not, now and then far too large or far out, under
// both fill rules.
#pragma GCC diagnostic ignored "-Wpsabi"

#include "raster/polygon_scan.h"
#include "render/small_cell_rule.h"
#include "simd/lanes.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <array>
#include <climits>
#include <cstring>
#include <random>
#include <tuple>
#include <vector>

namespace {

using Spans = std::vector<std::tuple<int, int, int>>;
using Cell = std::array<POINT, 4>;

constexpr raster::ScanClip CLIP { 2, 3, 14, 9 };

Spans ScannerSpans(Cell const& cell, raster::FillRule rule)
{
    raster::PolygonScanner scanner;
    Spans spans;
    raster::ScanPolygon(scanner, cell.data(), 4, rule, CLIP,
        [&](int y, int x0, int x1) { spans.emplace_back(y, x0, x1); });
    return spans;
}

struct Outcome {
    bool filled;
    bool scanned;
    Spans spans;
};

// The rule on `Width` cells at once, each lane's outcome apart.
template<typename Cells, typename Reals, int Width>
std::vector<Outcome> RuleOutcomes(Cell const* cells, raster::FillRule rule)
{
    std::int32_t xs[4][Width], ys[4][Width], sides[Width];
    for (int lane = 0; lane < Width; ++lane) {
        for (int corner = 0; corner < 4; ++corner) {
            xs[corner][lane] = cells[lane][corner].x;
            ys[corner][lane] = cells[lane][corner].y;
        }
        sides[lane] = -1;
    }
    auto const load = [](std::int32_t const* from) {
        Cells lanes;
        std::memcpy(&lanes, from, sizeof lanes);
        return lanes;
    };
    Cells const x[4] = { load(xs[0]), load(xs[1]), load(xs[2]), load(xs[3]) };
    Cells const y[4] = { load(ys[0]), load(ys[1]), load(ys[2]), load(ys[3]) };
    small_cells::SmallCells<Cells> const small = small_cells::SmallCellsOf(x, y, load(sides), CLIP, rule);

    auto const lanesOf = [](Cells const& lanes) {
        std::array<std::int32_t, Width> values;
        std::memcpy(values.data(), &lanes, sizeof lanes);
        return values;
    };
    std::vector<Outcome> outcomes(Width);
    auto const filled = lanesOf(small.filled), scanned = lanesOf(small.scanned), tops = lanesOf(small.top),
               rows = lanesOf(small.rows);
    for (int lane = 0; lane < Width; ++lane) {
        outcomes[lane].filled = filled[lane] != 0;
        outcomes[lane].scanned = scanned[lane] != 0;
    }
    for (int row = 0; row < small_cells::MAX_ROWS; ++row) {
        Cells crossings[4], withinTwoRows[4];
        small_cells::CrossingsOnRow<Cells, Reals>(small, row, CLIP, crossings);
        small_cells::CrossingsOnRow<Cells, Reals, true>(small, row, CLIP, withinTwoRows);
        std::array<std::int32_t, Width> const c[4]
            = { lanesOf(crossings[0]), lanesOf(crossings[1]), lanesOf(crossings[2]), lanesOf(crossings[3]) };
        std::array<std::int32_t, Width> const shifted[4] = { lanesOf(withinTwoRows[0]), lanesOf(withinTwoRows[1]),
            lanesOf(withinTwoRows[2]), lanesOf(withinTwoRows[3]) };
        for (int lane = 0; lane < Width; ++lane) {
            if (!outcomes[lane].filled || row >= rows[lane])
                continue;
            // Cells within two rows need no division.
            for (int i = 0; rows[lane] <= 2 && i < 4; ++i)
                EXPECT_EQ(shifted[i][lane], c[i][lane]);
            for (int pair = 0; pair < 4; pair += 2) {
                if (c[pair][lane] < c[pair + 1][lane])
                    outcomes[lane].spans.emplace_back(tops[lane] + row, c[pair][lane], c[pair + 1][lane]);
            }
        }
    }
    return outcomes;
}

Cell RandomCell(std::mt19937& random, int round)
{
    int const top = std::uniform_int_distribution<int>(0, 10)(random);
    int const height = std::uniform_int_distribution<int>(0, round % 3 == 0 ? 6 : 2)(random);
    std::uniform_int_distribution<int> row(top, top + height);
    std::uniform_int_distribution<int> column(-2, 17);
    Cell cell;
    for (POINT& corner : cell) {
        corner = { column(random), row(random) };
        if (round % 89 == 0)
            corner.x *= 9;
        if (round % 97 == 0)
            corner.x = std::uniform_int_distribution<int>(INT_MIN, INT_MAX)(random);
    }
    return cell;
}

template<typename Cells, typename Reals, int Width>
void ExpectTheScannersSpans(char const* form)
{
    std::mt19937 random(23);
    int filled = 0, scanned = 0, fourCrossings = 0;
    for (int round = 0; round < 24000 / Width; ++round) {
        Cell cells[Width];
        for (int lane = 0; lane < Width; ++lane)
            cells[lane] = RandomCell(random, round * Width + lane);
        for (raster::FillRule rule : { raster::FillRule::Alternate, raster::FillRule::Winding }) {
            std::vector<Outcome> const outcomes = RuleOutcomes<Cells, Reals, Width>(cells, rule);
            for (int lane = 0; lane < Width; ++lane) {
                Outcome const& outcome = outcomes[lane];
                Spans const expected = ScannerSpans(cells[lane], rule);
                ASSERT_FALSE(outcome.filled && outcome.scanned) << form;
                filled += outcome.filled;
                scanned += outcome.scanned;
                if (outcome.scanned)
                    continue;
                ASSERT_EQ(outcome.spans, expected)
                    << form << ", rule " << int(rule) << ": " << cells[lane][0].x << "," << cells[lane][0].y << " "
                    << cells[lane][1].x << "," << cells[lane][1].y << " " << cells[lane][2].x << ","
                    << cells[lane][2].y << " " << cells[lane][3].x << "," << cells[lane][3].y;
                for (std::size_t i = 1; i < expected.size(); ++i)
                    fourCrossings += std::get<0>(expected[i]) == std::get<0>(expected[i - 1]);
            }
        }
    }
    // The rule takes most cells, folded ones among them; the scanner the
    // rest.
    EXPECT_GT(filled, 15000) << form;
    EXPECT_GT(scanned, 100) << form;
    EXPECT_GT(fourCrossings, 200) << form;
}

}

TEST(SmallCellRule, EveryFormFillsWhatTheScannerFills)
{
    ExpectTheScannersSpans<int, float, 1>("one cell");
    ExpectTheScannersSpans<simd::Lanes<4>::Int, simd::Lanes<4>::Single, 4>("four lanes");
    ExpectTheScannersSpans<simd::Lanes<8>::Int, simd::Lanes<8>::Single, 8>("eight lanes");
}
