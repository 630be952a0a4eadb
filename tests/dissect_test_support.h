// What the dissection tests share: grids as plain vectors, a bitwise
// comparison, and the literal pass-by-pass algorithm they compare against.
#pragma once

#include "app/program_constants.h"
#include "globe/cut.h"
#include "globe/globe.h"
#include "globe/random.h"
#include "plain_growth.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <memory>
#include <vector>

namespace dissect_test {

// Sanitized builds run the same cases with fewer passes.
#ifdef MORVA_FEWER_TEST_PASSES
inline constexpr int PASS_SCALE = 10;
#else
inline constexpr int PASS_SCALE = 1;
#endif

inline std::vector<GlobePoint> Grid(Globe const& globe)
{
    return { globe.Points(), globe.Points() + GRID_POINT_COUNT };
}

inline bool SameBits(std::vector<GlobePoint> const& a, std::vector<GlobePoint> const& b)
{
    return a.size() == b.size() && (a.empty() || std::memcmp(a.data(), b.data(), a.size() * sizeof(GlobePoint)) == 0);
}

// The first differing element, or -1.
inline long FirstDifference(std::vector<GlobePoint> const& a, std::vector<GlobePoint> const& b)
{
    for (std::size_t i = 0; i < a.size() && i < b.size(); ++i) {
        if (std::memcmp(&a[i], &b[i], sizeof(GlobePoint)) != 0)
            return static_cast<long>(i);
    }
    return a.size() == b.size() ? -1 : static_cast<long>(a.size() < b.size() ? a.size() : b.size());
}

// The literal algorithm: for each pass, draw its cut and test every point.
inline void DissectPassByPass(std::vector<GlobePoint>& grid, int passes)
{
    for (int p = 0; p < passes; ++p)
        plain_growth::CutEveryPoint(grid, DrawCut());
}

// The statistics of the literal loop over a grid.
struct LiteralStatistics {
    double mean;
    double max;
};

inline LiteralStatistics StatisticsOf(std::vector<GlobePoint> const& grid)
{
    LiteralStatistics statistics { 0.0, PointRadius(grid[0]) };
    double sum = 0.0;
    for (GlobePoint const& p : grid) {
        double const r = PointRadius(p);
        if (r > statistics.max)
            statistics.max = r;
        sum += r;
    }
    statistics.mean = sum * GRID_MEAN_FACTOR;
    return statistics;
}

// Runs the same schedule of Dissect calls on a Globe and, from the same
// generator state, the literal loop on a copy of its grid; returns false
// (with a message) at the first call after which grid, statistics or
// generator differ.
inline ::testing::AssertionResult DissectMatchesLiteral(
    std::int32_t seed1, std::int32_t seed2, std::vector<int> const& schedule)
{
    auto globe = std::make_unique<Globe>();
    auto reference = Grid(*globe);
    g_random = RandomGenerator(seed1, seed2, false);
    RandomGenerator literal = g_random;
    int done = 0;
    for (int passes : schedule) {
        globe->Dissect(passes);
        RandomGenerator const afterDissect = g_random;
        g_random = literal;
        DissectPassByPass(reference, passes);
        literal = g_random;
        g_random = afterDissect;
        done += passes > 0 ? passes : 0;
        long const differs = FirstDifference(Grid(*globe), reference);
        if (differs >= 0)
            return ::testing::AssertionFailure() << "point " << differs << " differs after " << done << " passes";
        LiteralStatistics const statistics = StatisticsOf(reference);
        if (statistics.mean != globe->GetMeanRadius() || statistics.max != globe->GetMaxRadius())
            return ::testing::AssertionFailure() << "statistics differ after " << done << " passes";
        if (RandomGenerator(literal).NextUniform() != RandomGenerator(g_random).NextUniform())
            return ::testing::AssertionFailure() << "generators differ after " << done << " passes";
    }
    return ::testing::AssertionSuccess();
}

// Dissect(1), then batches of 50 up to `passes`, as the programs grow.
inline std::vector<int> GrowthSchedule(int passes)
{
    std::vector<int> schedule { 1 };
    for (int done = 1; done < passes; done += DISSECT_BATCH)
        schedule.push_back(passes - done < DISSECT_BATCH ? passes - done : DISSECT_BATCH);
    return schedule;
}

}
