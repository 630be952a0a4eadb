// Pixels grown as points of their own: equirectangular windows and cube
// faces, against the plain pass-by-pass loop over their stated directions.
#include "globe/point_growth.h"
#include "globe/reaching_cuts.h"
#include "globe/sphere_directions.h"
#include "plain_growth.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

constexpr std::int32_t SEED1 = 1802;
constexpr std::int32_t SEED2 = 9373;
constexpr int PASSES = 1500;

std::vector<Cut> Cuts()
{
    RandomGenerator generator(SEED1, SEED2, false);
    return DrawReachingCuts(generator, PASSES);
}

bool SameBits(std::vector<GlobePoint> const& a, std::vector<GlobePoint> const& b)
{
    return a.size() == b.size() && std::memcmp(a.data(), b.data(), a.size() * sizeof(GlobePoint)) == 0;
}

TEST(PixelGrowth, MapWindowsAreThePlainLoopAtTheirPixels)
{
    // The whole map, and windows of it at its edges and inside.
    int const width = 90;
    int const height = 41;
    std::vector<Cut> const cuts = Cuts();
    for (MapWindow const window : { MapWindow { width, height, 0, 0, width, height },
             MapWindow { width, height, 77, 0, 13, 40 }, MapWindow { width, height, 5, 19, 1, 22 } }) {
        std::vector<GlobePoint> expected;
        for (int y = 0; y < window.height; ++y) {
            for (int x = 0; x < window.width; ++x)
                expected.push_back(plain_growth::MapPixelStart(window.left + x, window.top + y, width, height));
        }
        plain_growth::GrowPassByPass(expected, SEED1, SEED2, PASSES);

        std::vector<GlobePoint> grown(expected.size());
        EquirectangularStarts const starts(window);
        starts.Fill(0, 7, grown.data()); // in two strips, as the grower makes them
        starts.Fill(7, window.height - 7, grown.data() + 7 * window.width);
        GrowPoints(grown.data(), window.height, window.width, cuts, 3);
        EXPECT_TRUE(SameBits(grown, expected)) << window.left << "," << window.top;
    }
}

TEST(PixelGrowth, CubeFacesAreThePlainLoopAtTheirPixels)
{
    int const size = 24;
    std::vector<Cut> const cuts = Cuts();
    for (int face = 0; face < 6; ++face) {
        std::vector<GlobePoint> expected;
        for (int j = 0; j < size; ++j) {
            for (int i = 0; i < size; ++i)
                expected.push_back(plain_growth::CubePixelStart(face, i, j, size));
        }
        plain_growth::GrowPassByPass(expected, SEED1, SEED2, PASSES);

        std::vector<GlobePoint> grown(expected.size());
        FillCubeFaceStarts(CUBE_FACES[face], size, 0, size, grown.data());
        GrowPoints(grown.data(), size, size, cuts, 2);
        EXPECT_TRUE(SameBits(grown, expected)) << CubeFaceName(CUBE_FACES[face]);
    }
}

TEST(PixelGrowth, CubeFacesMeetAtTheirEdges)
{
    // Each edge pixel's nearest pixel on another face lies about one pixel
    // away: a face turned or mirrored would leave its edges far apart.
    int const size = 16;
    double const pixel = 2000.0 * 2.0 / size;
    std::vector<std::pair<int, GlobePoint>> edges;
    for (int face = 0; face < 6; ++face) {
        for (int k = 0; k < size; ++k) {
            for (auto const& [i, j] : { std::pair { k, 0 }, std::pair { k, size - 1 }, std::pair { 0, k },
                     std::pair { size - 1, k } })
                edges.push_back({ face, CubeFaceStart(CUBE_FACES[face], size, i, j) });
        }
    }
    double farthest = 0.0;
    for (auto const& [face, p] : edges) {
        double nearest = 1e9;
        for (auto const& [other, q] : edges) {
            if (other != face) {
                double const d = std::hypot(std::hypot(p.x - q.x, p.y - q.y), p.z - q.z);
                nearest = std::min(nearest, d);
            }
        }
        farthest = std::max(farthest, nearest);
    }
    EXPECT_LT(farthest, 0.75 * pixel);
    EXPECT_STREQ(CubeFaceName(CubeFace::NegativeZ), "nz");
}

TEST(ReachingCuts, KeepEveryCutThatMovesAPointAndTakeEveryDraw)
{
    // Cuts left out move no point of a sphere grown by the kept ones, and
    // the generator ends where every pass's four draws leave it.
    RandomGenerator generator(SEED1, SEED2, false);
    std::vector<Cut> const kept = DrawReachingCuts(generator, 600);
    RandomGenerator plain(SEED1, SEED2, false);
    for (int p = 0; p < 600 * 4; ++p)
        plain.NextUniform();
    EXPECT_EQ(generator.NextUniform(), plain.NextUniform());
    EXPECT_LT(kept.size(), 600u);
    EXPECT_GT(kept.size(), 200u);
}

}
