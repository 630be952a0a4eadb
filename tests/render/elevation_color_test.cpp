#include "render/elevation_color.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

struct Rgb {
    int red;
    int green;
    int blue;
    bool operator==(Rgb const&) const = default;
};

std::ostream& operator<<(std::ostream& out, Rgb const& c)
{
    return out << "(" << c.red << ", " << c.green << ", " << c.blue << ")";
}

Rgb Color(float radius, float mean, float max)
{
    COLORREF const c = ElevationColor(radius, mean, max);
    EXPECT_EQ(c >> 24, 0u) << "the top byte of a COLORREF stays zero";
    return { static_cast<int>(c & 0xFF), static_cast<int>((c >> 8) & 0xFF), static_cast<int>((c >> 16) & 0xFF) };
}

// Mean 100 and maximum 200: sea level exactly 110, span 90.
TEST(ElevationColor, FollowsTheBandsFromTheDeepsToThePeaks)
{
    struct Case {
        float radius;
        Rgb expected;
    };
    Case const cases[] = {
        { 200.0f, { 255, 254, 254 } }, // peak, p = 255
        { 199.5f, { 253, 254, 254 } }, // peak, p a little above 253.5
        { 155.0f, { 144, 213, 102 } }, // land, t = 0.5
        { 110.0f, { 34, 171, 65 } },   // exactly at sea level: land
        { 109.9f, { 0, 0, 254 } },     // just below: ocean
        { 65.0f, { 0, 0, 205 } },      // q = 0.5
        { 20.0f, { 0, 0, 155 } },      // q = 1
        { 0.0f, { 0, 0, 132 } },       // q = 11/9
    };
    for (auto const& c : cases)
        EXPECT_EQ(Color(c.radius, 100.0f, 200.0f), c.expected) << "radius " << c.radius;
}

TEST(ElevationColor, DeepOceanWrapsItsBlueInsteadOfClamping)
{
    // Sea level 191, span 9: q = 31/9 gives 255 - 344.4, truncated to -89,
    // whose low 8 bits are 167.
    EXPECT_EQ(Color(160.0f, 190.0f, 200.0f), (Rgb { 0, 0, 167 }));
    // Exactly 2.55 spans down the blue reaches 0, and one step further wraps.
    EXPECT_EQ(Color(20.0f - 1.55f * 90.0f, 100.0f, 200.0f).blue, 0);
    EXPECT_GT(Color(20.0f - 1.6f * 90.0f, 100.0f, 200.0f).blue, 200);
}

TEST(ElevationColor, ThePeakBandStartsStrictlyAbove253)
{
    // Sea level 0 and span 2295 - 0 = 2295 make t * 255 exactly 253 at 2277.
    EXPECT_EQ(Color(2277.0f, -255.0f, 2295.0f), (Rgb { 252, 255, 139 }));
    EXPECT_EQ(Color(std::nextafter(2277.0f, 3000.0f), -255.0f, 2295.0f), (Rgb { 253, 254, 254 }));
    EXPECT_EQ(Color(2295.0f, -255.0f, 2295.0f), (Rgb { 255, 254, 254 }));
}

TEST(ElevationColor, PeakRedIsTruncatedAfterRoundingToSinglePrecision)
{
    // A p a hair below 254 rounds to 254.0f, so red is 254, not 253.
    float const mean = -1.0e6f;
    float const max = 1000.0f;
    float const radius = -2532.94140625f;
    double const seaLevel = mean + (static_cast<double>(max) - mean) * 0.1;
    double const p = (radius - seaLevel) / (max - seaLevel) * 255.0;
    ASSERT_LT(p, 254.0);
    ASSERT_EQ(static_cast<float>(p), 254.0f);
    EXPECT_EQ(Color(radius, mean, max), (Rgb { 254, 254, 254 }));
}

TEST(ElevationColor, TheMaximumRadiusIsAlwaysTheBrightestPeak)
{
    float const pairs[][2] = { { 1990.0f, 2010.0f }, { 2000.0f, 2000.5f }, { 0.0f, 1.0f }, { 1999.0f, 2140.75f } };
    for (auto const& [mean, max] : pairs)
        EXPECT_EQ(Color(max, mean, max), (Rgb { 255, 254, 254 })) << mean << " " << max;
}

TEST(ElevationColor, AZeroSpanGivesNonFiniteQuotientsThatComeOutAsZeroChannels)
{
    // Mean and maximum equal: sea level equals the maximum.
    EXPECT_EQ(Color(2000.0f, 2000.0f, 2000.0f), (Rgb { 0, 0, 0 }));     // land, 0 / 0
    EXPECT_EQ(Color(1990.0f, 2000.0f, 2000.0f), (Rgb { 0, 0, 0 }));     // ocean, +inf depth
    EXPECT_EQ(Color(2010.0f, 2000.0f, 2000.0f), (Rgb { 0, 254, 254 })); // peak, red of +inf
}

TEST(ElevationColor, NotANumberAnywhereNeverTraps)
{
    float const nan = std::numeric_limits<float>::quiet_NaN();
    // A NaN radius fails the land test and lands in the ocean, whose blue is
    // NaN as well.
    EXPECT_EQ(Color(nan, 100.0f, 200.0f), (Rgb { 0, 0, 0 }));
    EXPECT_EQ(Color(150.0f, nan, 200.0f), (Rgb { 0, 0, 0 }));
    EXPECT_EQ(Color(150.0f, 100.0f, nan), (Rgb { 0, 0, 0 }));
}

TEST(ElevationColor, HugeRadiiGiveZeroInsteadOfOverflowing)
{
    float const huge = std::numeric_limits<float>::max();
    float const inf = std::numeric_limits<float>::infinity();
    // A p beyond the float range rounds to infinity; red is then 0.
    EXPECT_EQ(Color(huge, 0.0f, 1.0e-5f), (Rgb { 0, 254, 254 }));
    EXPECT_EQ(Color(inf, 100.0f, 200.0f), (Rgb { 0, 254, 254 }));
    // p of 1e30 is a float but far outside the 64-bit integers.
    EXPECT_EQ(Color(1.0e30f * 90.0f / 255.0f, 100.0f, 200.0f), (Rgb { 0, 254, 254 }));
    // The deepest ocean: the blue's value is below every 64-bit integer.
    EXPECT_EQ(Color(-huge, 100.0f, 200.0f), (Rgb { 0, 0, 0 }));
}

TEST(ElevationBrush, IsASolidBrushOfTheElevationColour)
{
    HBRUSH const brush = CreateElevationBrush(155.0f, 100.0f, 200.0f);
    ASSERT_NE(brush, nullptr);
    LOGBRUSH logBrush {};
    ASSERT_EQ(GetObjectA(brush, sizeof logBrush, &logBrush), static_cast<int>(sizeof logBrush));
    EXPECT_EQ(logBrush.lbStyle, static_cast<UINT>(BS_SOLID));
    EXPECT_EQ(logBrush.lbColor, RGB(144, 213, 102));
    EXPECT_TRUE(DeleteObject(brush));
}

}
