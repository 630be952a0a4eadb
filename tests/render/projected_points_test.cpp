// ProjectPointsApart in the form of every level the machine runs against
// HemisphereProjection::Project, point by point, over runs of every length
// around the vector widths, with points that leave the int range or are not
// numbers in every lane.
#include "render/projected_points.h"
#include "simd/kernel_level.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <iterator>
#include <limits>
#include <random>
#include <vector>

TEST(ProjectPointsApart, MatchesTheProjectionPointByPointAtEveryLevel)
{
    float const nan = std::numeric_limits<float>::quiet_NaN();
    float const infinity = std::numeric_limits<float>::infinity();
    float const extremes[] = { nan, infinity, -infinity, 3e9f, -3e9f, 2147483520.0f, -2147483648.0f, 1e30f, -0.0f,
        1999.9f, -1999.9f, 0.5f };
    std::mt19937 random(11);
    std::uniform_real_distribution<float> coordinate(-2100.0f, 2100.0f);
    // A scale that sends the extremes far beyond the int range once more.
    HemisphereProjection const projection = MakeHemisphereProjection(-7, 13, 1913, 533, 1.0f);
    for (std::size_t count : { 1u, 2u, 3u, 4u, 5u, 7u, 8u, 9u, 16u, 17u, 145u }) {
        std::vector<GlobePoint> points(count);
        for (std::size_t i = 0; i < count; ++i) {
            bool const extreme = i % 3 == 1;
            points[i] = { extreme ? extremes[i % std::size(extremes)] : coordinate(random),
                extreme ? extremes[(i + 5) % std::size(extremes)] : coordinate(random), 0 };
        }
        for (KernelLevel level : LevelsThisMachineRuns()) {
            std::vector<std::int32_t> xs(count, 12345);
            std::vector<std::int32_t> ys(count, 12345);
            ProjectPointsApart(level, projection, points.data(), count, xs.data(), ys.data());
            for (std::size_t i = 0; i < count; ++i) {
                ProjectedPoint const expected = projection.Project(points[i].x, points[i].y);
                ASSERT_EQ(xs[i], expected.x) << KernelLevelName(level) << ", point " << i << " of " << count;
                ASSERT_EQ(ys[i], expected.y) << KernelLevelName(level) << ", point " << i << " of " << count;
            }
        }
    }
}
