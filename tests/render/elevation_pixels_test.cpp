// The colour rule for many points at once, in the form of every level the
// machine runs, against ElevationColor, point by point, over ordinary
// planets, every band edge and the values that leave its exact range.
#include "render/elevation_color.h"
#include "render/elevation_pixels.h"
#include "render/elevation_rule.h"
#include "render/float_conversion.h"
#include "render/pixel_target.h"
#include "simd/kernel_level.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <limits>
#include <random>
#include <vector>

namespace {

constexpr float NaN = std::numeric_limits<float>::quiet_NaN();
constexpr float Infinity = std::numeric_limits<float>::infinity();

// Every level's pixels, from the points and from their radii alike.
void ExpectSameAsElevationColor(std::vector<GlobePoint> const& points, float mean, float max)
{
    std::vector<double> radii;
    for (GlobePoint const& p : points)
        radii.push_back(PointRadius(p));
    for (KernelLevel level : LevelsThisMachineRuns()) {
        std::vector<std::uint32_t> pixels(points.size(), 0xDEADBEEF);
        std::vector<std::uint32_t> fromRadii(points.size(), 0xDEADBEEF);
        ElevationPixels(level, points.data(), points.size(), mean, max, pixels.data());
        ElevationPixelsOfRadii(level, radii.data(), radii.size(), mean, max, fromRadii.data());
        for (std::size_t i = 0; i < points.size(); ++i) {
            GlobePoint const p = points[i];
            std::uint32_t const expected = PixelOfColor(ElevationColor(RoundToSingle(radii[i]), mean, max));
            ASSERT_EQ(pixels[i], expected) << KernelLevelName(level) << ", point " << i << " (" << p.x << ", "
                                           << p.y << ", " << p.z << ") mean " << mean << " max " << max;
            ASSERT_EQ(fromRadii[i], expected) << KernelLevelName(level) << ", radius " << radii[i];
        }
    }
}

// Points along the z axis whose radius is exactly `radius`.
GlobePoint AtRadius(float radius)
{
    return { 0, 0, radius };
}

}

TEST(ElevationPixels, MatchesTheRuleOnGrownPlanetsOfEveryRunLength)
{
    std::mt19937 random(5);
    std::uniform_real_distribution<float> coordinate(-1300.0f, 1300.0f);
    // Lengths around the vector widths and the internal run length.
    for (std::size_t count : { 1u, 2u, 3u, 4u, 5u, 7u, 8u, 9u, 15u, 16u, 17u, 255u, 256u, 257u, 5625u }) {
        std::vector<GlobePoint> points(count);
        for (GlobePoint& p : points)
            p = { coordinate(random), coordinate(random), coordinate(random) };
        ExpectSameAsElevationColor(points, 1850.0f, 2050.0f);
    }
}

TEST(ElevationPixels, MatchesTheRuleAtSeaLevelThePeakThresholdAndTheTop)
{
    float const mean = 1990.0f;
    float const max = 2010.0f;
    double const seaLevel = SeaLevel(mean, max);
    double const span = max - seaLevel;
    std::vector<GlobePoint> points;
    for (double radius : { seaLevel, seaLevel + span * PEAK_THRESHOLD / 255.0, double(max), seaLevel - span * 2.55,
             seaLevel - span * 3.0, 0.0 }) {
        float const closest = static_cast<float>(radius);
        for (float r : { std::nextafter(closest, 0.0f), closest, std::nextafter(closest, 1e30f) })
            points.push_back(AtRadius(r));
    }
    // Eight copies of the eighteen points fill whole vectors of every width,
    // each point landing in different lanes.
    std::vector<GlobePoint> copies;
    for (int copy = 0; copy < 8; ++copy)
        copies.insert(copies.end(), points.begin(), points.end());
    ExpectSameAsElevationColor(copies, mean, max);
}

TEST(ElevationPixels, MatchesTheRuleWhereValuesLeaveTheExactRange)
{
    std::vector<GlobePoint> points = {
        { NaN, 0, 0 }, { 0, NaN, 1 }, { 0, 0, NaN }, { Infinity, 0, 0 }, { -Infinity, 1, 1 },
        { FLT_MAX, FLT_MAX, FLT_MAX }, { FLT_MAX, 0, 0 }, { 3e38f, 3e38f, 0 }, { 1e30f, 0, 0 }, { -1e20f, 5, 5 },
        { 1e-30f, 0, 0 }, { 2000, 0, 0 }, { 0, 2001, 0 }, { 0, 0, -1999 },
    };
    // Mixed with ordinary points, so that runs hold both kinds.
    for (int i = 0; i < 40; ++i)
        points.push_back({ 1000.0f + i, 1000.0f - i, 1000.0f });
    struct Statistics {
        float mean;
        float max;
    };
    for (Statistics s : std::vector<Statistics> { { 1990, 2010 }, { 2000, 2000 }, { 2010, 1990 }, { 0, 0 },
             { NaN, 2000 }, { 2000, NaN }, { -Infinity, Infinity }, { FLT_MAX, -FLT_MAX }, { 1, 1.0000001f },
             { 1e-30f, 2e-30f } })
        ExpectSameAsElevationColor(points, s.mean, s.max);
}
