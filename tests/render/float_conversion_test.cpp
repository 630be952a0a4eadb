#include "render/float_conversion.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <limits>

namespace {

constexpr double INF = std::numeric_limits<double>::infinity();
constexpr double NaN = std::numeric_limits<double>::quiet_NaN();
constexpr std::int32_t INT_LOW = std::numeric_limits<std::int32_t>::min();
constexpr std::int32_t INT_HIGH = std::numeric_limits<std::int32_t>::max();

TEST(ColorChannel, KeepsTheLowEightBitsOfTheTruncation)
{
    EXPECT_EQ(ColorChannel(0.0), 0);
    EXPECT_EQ(ColorChannel(254.9), 254);
    EXPECT_EQ(ColorChannel(255.0), 255);
    EXPECT_EQ(ColorChannel(256.0), 0);
    EXPECT_EQ(ColorChannel(300.7), 44);
    EXPECT_EQ(ColorChannel(-0.9), 0);   // truncates toward zero, not down
    EXPECT_EQ(ColorChannel(-1.0), 255);
    EXPECT_EQ(ColorChannel(-89.44), 167);
    EXPECT_EQ(ColorChannel(4503599627370501.0), 5); // 2^52 + 5
    EXPECT_EQ(ColorChannel(-4503599627370497.0), 255);
}

TEST(ColorChannel, GivesZeroForValuesNoInt64Holds)
{
    EXPECT_EQ(ColorChannel(NaN), 0);
    EXPECT_EQ(ColorChannel(INF), 0);
    EXPECT_EQ(ColorChannel(-INF), 0);
    EXPECT_EQ(ColorChannel(0x1p63), 0);
    EXPECT_EQ(ColorChannel(1.0e300), 0);
    EXPECT_EQ(ColorChannel(-1.0e300), 0);
    // The extreme values that still fit convert without trapping.
    EXPECT_EQ(ColorChannel(-0x1p63), 0);
    EXPECT_EQ(ColorChannel(std::nextafter(0x1p63, 0.0)), 0);
}

TEST(SaturateToInt, ClampsSixtyFourBitValues)
{
    EXPECT_EQ(SaturateToInt(-5), -5);
    EXPECT_EQ(SaturateToInt(std::int64_t { INT_HIGH } + 1), INT_HIGH);
    EXPECT_EQ(SaturateToInt(std::int64_t { INT_LOW } - 1), INT_LOW);
    EXPECT_EQ(SaturateToInt(std::int64_t { INT_HIGH } - std::int64_t { INT_LOW }), INT_HIGH);
}

TEST(RoundToSingle, RoundsToNearestAndOverflowsLikeTheHardware)
{
    EXPECT_EQ(RoundToSingle(0.1), 0.1f);
    EXPECT_EQ(RoundToSingle(1.0 + 0x1p-24), 1.0f);                         // tie to even
    EXPECT_EQ(RoundToSingle(1.0 + 0x1p-24 + 0x1p-40), 1.0f + 0x1p-23f);    // above the tie
    EXPECT_EQ(RoundToSingle(static_cast<double>(FLT_MAX) + 0x1p100), FLT_MAX);
    EXPECT_EQ(RoundToSingle(std::nextafter(0x1.ffffffp127, 0.0)), FLT_MAX);
    EXPECT_EQ(RoundToSingle(0x1.ffffffp127), std::numeric_limits<float>::infinity());
    EXPECT_EQ(RoundToSingle(-1.0e300), -std::numeric_limits<float>::infinity());
    EXPECT_EQ(RoundToSingle(-static_cast<double>(FLT_MAX) - 0x1p100), -FLT_MAX);
    EXPECT_EQ(RoundToSingle(INF), std::numeric_limits<float>::infinity());
    EXPECT_TRUE(std::isnan(RoundToSingle(NaN)));
}

}
