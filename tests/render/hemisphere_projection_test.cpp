#include "render/hemisphere_projection.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

TEST(HemisphereProjection, FitsTheDiscToTheSmallerSideAndCentresIt)
{
    HemisphereProjection const wide = MakeHemisphereProjection(5, 25, 405, 325, 2000.0f);
    EXPECT_EQ(wide.centerX, 205);
    EXPECT_EQ(wide.centerY, 175);
    EXPECT_EQ(wide.scale, 0.075f) << "300 / 4000, rounded to single precision";

    HemisphereProjection const tall = MakeHemisphereProjection(0, 0, 300, 500, 1500.0f);
    EXPECT_EQ(tall.centerX, 150);
    EXPECT_EQ(tall.centerY, 250);
    EXPECT_EQ(tall.scale, 0.1f);

    HemisphereProjection const flat = MakeHemisphereProjection(0, 0, 500, 300, 1500.0f);
    EXPECT_EQ(flat.centerX, 250);
    EXPECT_EQ(flat.centerY, 150);
    EXPECT_EQ(flat.scale, 0.1f);
}

TEST(HemisphereProjection, HalvesOddExtentsByTruncation)
{
    HemisphereProjection const odd = MakeHemisphereProjection(-10, 3, 91, 104, 2000.0f);
    EXPECT_EQ(odd.centerX, -10 + 50);
    EXPECT_EQ(odd.centerY, 3 + 50);
    // A reversed rectangle: width -101 halves to -50, toward zero.
    HemisphereProjection const reversed = MakeHemisphereProjection(91, 3, -10, 104, 2000.0f);
    EXPECT_EQ(reversed.centerX, 91 - 50);
    EXPECT_LT(reversed.scale, 0.0f) << "the negative side is the smaller one";
}

TEST(HemisphereProjection, TruncatesTheCoordinateThenAddsTheCentreThenTruncatesAgain)
{
    HemisphereProjection const projection = MakeHemisphereProjection(5, 25, 405, 325, 2000.0f);
    ProjectedPoint const p = projection.Project(1000.7f, -500.2f);
    EXPECT_EQ(p.x, 280); // 205 + a hair over 75
    EXPECT_EQ(p.y, 137); // 175 - a hair over 37.5
    // Truncating 0.9 first gives 0: the point stays at the centre.
    ProjectedPoint const small = projection.Project(0.9f, -0.9f);
    EXPECT_EQ(small.x, 205);
    EXPECT_EQ(small.y, 175);
    // Truncation toward zero left of the centre: 205 - 7.5 is 197, not 198.
    EXPECT_EQ(projection.Project(-100.0f, 0.0f).x, 197);
}

TEST(HemisphereProjection, TheMaximumRadiusLandsOnTheDiscsRim)
{
    HemisphereProjection const projection = MakeHemisphereProjection(0, 0, 600, 400, 2000.0f);
    // The scale, 0.1f, is a hair above 0.1, and every sum is truncated
    // toward zero: 300 - 200.000003 gives 99, 200 - 200.000003 gives 0.
    EXPECT_EQ(projection.Project(2000.0f, 0.0f).x, 500);
    EXPECT_EQ(projection.Project(-2000.0f, 0.0f).x, 99);
    EXPECT_EQ(projection.Project(0.0f, 2000.0f).y, 400);
    EXPECT_EQ(projection.Project(0.0f, -2000.0f).y, 0);
}

TEST(HemisphereProjection, AnEmptyRectangleSendsEveryPointToItsCentre)
{
    HemisphereProjection const projection = MakeHemisphereProjection(30, 40, 30, 90, 2000.0f);
    EXPECT_EQ(projection.scale, 0.0f);
    ProjectedPoint const p = projection.Project(1999.0f, -1234.0f);
    EXPECT_EQ(p.x, 30);
    EXPECT_EQ(p.y, 65);
}

TEST(HemisphereProjection, OutOfRangeValuesSaturateAndNaNBecomesZero)
{
    constexpr int LOW = std::numeric_limits<int>::min();
    constexpr int HIGH = std::numeric_limits<int>::max();
    // Both truncations saturate: the coordinate first, then the sum.
    HemisphereProjection const projection = MakeHemisphereProjection(0, 0, 400, 400, 2000.0f);
    ProjectedPoint const clipped = projection.Project(1.0e30f, -1.0e30f);
    EXPECT_EQ(clipped.x, 200 + static_cast<int>(HIGH * static_cast<double>(projection.scale)));
    EXPECT_EQ(clipped.y, 200 + static_cast<int>(LOW * static_cast<double>(projection.scale)));
    HemisphereProjection const magnified = MakeHemisphereProjection(0, 0, 400, 400, 1.0f);
    ProjectedPoint const far = magnified.Project(1.0e30f, -1.0e30f);
    EXPECT_EQ(far.x, HIGH);
    EXPECT_EQ(far.y, LOW);
    ProjectedPoint const nan = projection.Project(std::numeric_limits<float>::quiet_NaN(), 0.0f);
    EXPECT_EQ(nan.x, 200 + 0) << "a NaN coordinate truncates to 0";

    // A zero maximum radius makes the scale infinite; off-centre points go
    // to the int range's ends, the centre itself (0 * inf) to 0.
    HemisphereProjection const infinite = MakeHemisphereProjection(0, 0, 400, 400, 0.0f);
    EXPECT_EQ(infinite.Project(5.0f, -5.0f).x, HIGH);
    EXPECT_EQ(infinite.Project(5.0f, -5.0f).y, LOW);
    EXPECT_EQ(infinite.Project(0.0f, 0.0f).x, 0);

    // The widest rectangle still finds its centre.
    HemisphereProjection const widest = MakeHemisphereProjection(LOW, LOW, HIGH, HIGH, 2000.0f);
    EXPECT_EQ(widest.centerX, -1);
    EXPECT_EQ(widest.centerY, -1);
}

}
