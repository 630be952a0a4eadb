// The planet grown at the grid's own directions is the grid Dissect grows.
#include "dissect_test_support.h"
#include "globe/point_growth.h"
#include "globe/reaching_cuts.h"

namespace {

using namespace dissect_test;

TEST(PointGrowth, TheGridsDirectionsGiveDissectsGridBitForBit)
{
    int const passes = 3001 / PASS_SCALE;
    for (auto const& [seed1, seed2] : { std::pair { 1802, 9373 }, std::pair { 31328, 30081 } }) {
        auto const fresh = std::make_unique<Globe>();
        std::vector<GlobePoint> grown = Grid(*fresh);
        RandomGenerator generator(seed1, seed2, false);
        GrowPoints(grown.data(), GRID_N, GRID_N, DrawReachingCuts(generator, passes), 3);

        // The programs' growth: one pass, then batches.
        RandomGenerator const saved = g_random;
        g_random = RandomGenerator(seed1, seed2, false);
        auto const dissected = std::make_unique<Globe>();
        dissected->Dissect(1);
        for (int done = 1; done < passes; done += DISSECT_BATCH)
            dissected->Dissect(std::min(DISSECT_BATCH, passes - done));
        g_random = saved;

        EXPECT_EQ(FirstDifference(grown, Grid(*dissected)), -1) << seed1 << "," << seed2;
    }
}

}
