#include "globe/int_truncation.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>

namespace {

constexpr double INF = std::numeric_limits<double>::infinity();
constexpr std::int32_t INT_LOW = std::numeric_limits<std::int32_t>::min();
constexpr std::int32_t INT_HIGH = std::numeric_limits<std::int32_t>::max();

TEST(TruncateToInt32, TruncatesTowardZero)
{
    EXPECT_EQ(TruncateToInt32(2.9), 2);
    EXPECT_EQ(TruncateToInt32(-2.9), -2);
    EXPECT_EQ(TruncateToInt32(3.7), 3);
    EXPECT_EQ(TruncateToInt32(-3.7), -3);
    EXPECT_EQ(TruncateToInt32(-0.5), 0);
    EXPECT_EQ(TruncateToInt32(-0.0), 0);
    // Exact halves go toward zero, not to the nearest even.
    EXPECT_EQ(TruncateToInt32(2.5), 2);
    EXPECT_EQ(TruncateToInt32(-2.5), -2);
    EXPECT_EQ(TruncateToInt32(1.5), 1);
    EXPECT_EQ(TruncateToInt32(-1.5), -1);
}

TEST(TruncateToInt32, KeepsTheWholeIntRange)
{
    EXPECT_EQ(TruncateToInt32(2147483647.0), INT_HIGH);
    EXPECT_EQ(TruncateToInt32(2147483646.9), INT_HIGH - 1);
    EXPECT_EQ(TruncateToInt32(-2147483648.0), INT_LOW);
    EXPECT_EQ(TruncateToInt32(-2147483647.9), INT_LOW + 1);
}

TEST(TruncateToInt32, SaturatesOutsideTheIntRange)
{
    EXPECT_EQ(TruncateToInt32(2147483647.9), INT_HIGH);
    EXPECT_EQ(TruncateToInt32(2147483648.0), INT_HIGH);
    EXPECT_EQ(TruncateToInt32(-2147483648.9), INT_LOW);
    EXPECT_EQ(TruncateToInt32(std::nextafter(-2147483649.0, 0.0)), INT_LOW);
    EXPECT_EQ(TruncateToInt32(-2147483649.0), INT_LOW);
    EXPECT_EQ(TruncateToInt32(1.0e300), INT_HIGH);
    EXPECT_EQ(TruncateToInt32(-1.0e300), INT_LOW);
    EXPECT_EQ(TruncateToInt32(INF), INT_HIGH);
    EXPECT_EQ(TruncateToInt32(-INF), INT_LOW);
}

TEST(TruncateToInt32, GivesZeroForNaN)
{
    EXPECT_EQ(TruncateToInt32(std::numeric_limits<double>::quiet_NaN()), 0);
    EXPECT_EQ(TruncateToInt32(-std::numeric_limits<double>::quiet_NaN()), 0);
}

}
