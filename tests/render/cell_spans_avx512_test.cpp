// The sixteen-lane form of the short-quad rule against raster::ScanShortQuad,
// lane by lane, on random cells within two rows, the clip's edges among
// them. Needs a processor with AVX-512F; skipped elsewhere.
#pragma GCC diagnostic ignored "-Wpsabi"
#pragma GCC diagnostic ignored "-Wmaybe-uninitialized"
#pragma GCC diagnostic ignored "-Wuninitialized"

#include "raster/short_quad_scan.h"
#include "render/cell_spans_avx512.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <cstdint>
#include <random>

namespace {

struct LaneSpans {
    std::int32_t left0[16], right0[16], left1[16], right1[16];
    std::uint16_t twoCrossings;
};

[[gnu::target("avx512f")]] LaneSpans SpansOfSixteen(POINT const (&cells)[16][4], std::int32_t const (&tops)[16],
    raster::ScanClip clip)
{
    std::int32_t xs[4][16], ys[4][16];
    for (int lane = 0; lane < 16; ++lane) {
        for (int corner = 0; corner < 4; ++corner) {
            xs[corner][lane] = cells[lane][corner].x;
            ys[corner][lane] = cells[lane][corner].y;
        }
    }
    __m512i const x[4] = { _mm512_loadu_si512(xs[0]), _mm512_loadu_si512(xs[1]), _mm512_loadu_si512(xs[2]),
        _mm512_loadu_si512(xs[3]) };
    __m512i const y[4] = { _mm512_loadu_si512(ys[0]), _mm512_loadu_si512(ys[1]), _mm512_loadu_si512(ys[2]),
        _mm512_loadu_si512(ys[3]) };
    cell_spans_avx512::CellSpans const spans = cell_spans_avx512::SpansOfCells(x, y, _mm512_loadu_si512(tops), clip);
    LaneSpans lanes;
    _mm512_storeu_si512(lanes.left0, spans.left0);
    _mm512_storeu_si512(lanes.right0, spans.right0);
    _mm512_storeu_si512(lanes.left1, spans.left1);
    _mm512_storeu_si512(lanes.right1, spans.right1);
    lanes.twoCrossings = spans.twoCrossings;
    return lanes;
}

}

TEST(CellSpansAvx512, EveryLaneFillsWhatTheShortQuadScanFills)
{
    __builtin_cpu_init();
    if (!__builtin_cpu_supports("avx512f"))
        GTEST_SKIP() << "the processor has no AVX-512F";
    std::mt19937 random(31);
    raster::ScanClip const clip { 2, 3, 14, 9 };
    int compared = 0, withSecondRow = 0;
    for (int round = 0; round < 4000; ++round) {
        POINT cells[16][4];
        std::int32_t tops[16];
        for (int lane = 0; lane < 16; ++lane) {
            int const top = std::uniform_int_distribution<int>(1, 9)(random);
            int const height = std::uniform_int_distribution<int>(1, 2)(random);
            std::uniform_int_distribution<int> row(top, top + height);
            std::uniform_int_distribution<int> column(-2, 17);
            for (POINT& corner : cells[lane])
                corner = { column(random), row(random) };
            // The top corner is the least of the four.
            cells[lane][lane % 4].y = top;
            tops[lane] = top;
        }
        LaneSpans const lanes = SpansOfSixteen(cells, tops, clip);
        for (int lane = 0; lane < 16; ++lane) {
            raster::ShortSpans expected;
            bool const handled = raster::ScanShortQuad(cells[lane], clip, expected);
            ASSERT_EQ(handled, (lanes.twoCrossings >> lane & 1) != 0)
                << "round " << round << " lane " << lane << ": " << cells[lane][0].x << "," << cells[lane][0].y << " "
                << cells[lane][1].x << "," << cells[lane][1].y << " " << cells[lane][2].x << "," << cells[lane][2].y
                << " " << cells[lane][3].x << "," << cells[lane][3].y;
            if (!handled)
                continue;
            ++compared;
            // Both rows, as spans; an empty one is left 0 .. 0.
            raster::Span found[2] = { { tops[lane], lanes.left0[lane], lanes.right0[lane] },
                { tops[lane] + 1, lanes.left1[lane], lanes.right1[lane] } };
            int index = 0;
            for (raster::Span const& span : found) {
                if (span.x0 == 0 && span.x1 == 0)
                    continue;
                ASSERT_LT(index, expected.count) << "round " << round << " lane " << lane;
                EXPECT_EQ(span.y, expected.spans[index].y) << "round " << round << " lane " << lane;
                EXPECT_EQ(span.x0, expected.spans[index].x0) << "round " << round << " lane " << lane;
                EXPECT_EQ(span.x1, expected.spans[index].x1) << "round " << round << " lane " << lane;
                ++index;
            }
            ASSERT_EQ(index, expected.count) << "round " << round << " lane " << lane;
            withSecondRow += found[1].x1 != 0;
        }
    }
    EXPECT_GT(compared, 40000);
    EXPECT_GT(withSecondRow, 5000);
}
