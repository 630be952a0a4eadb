#include "globe/random.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <vector>

namespace {

constexpr double TWO_POW_24 = 16777216.0;

std::vector<double> Draws(RandomGenerator generator, int count)
{
    std::vector<double> draws;
    for (int i = 0; i < count; ++i)
        draws.push_back(generator.NextUniform());
    return draws;
}

TEST(RandomGenerator, PassesThePublishedCheck)
{
    RandomGenerator generator(1802, 9373, false);
    for (int i = 0; i < 20000; ++i)
        generator.NextUniform();
    double const expected[] = { 6533892.0, 14220222.0, 7275067.0, 6172232.0, 8354498.0, 10633180.0 };
    for (double value : expected)
        EXPECT_EQ(generator.NextUniform() * TWO_POW_24, value);
}

TEST(RandomGenerator, EveryDrawIsAWhole24BitFractionInTheUnitInterval)
{
    RandomGenerator generator(12345, 6789, false);
    for (int i = 0; i < 100000; ++i) {
        double const scaled = generator.NextUniform() * TWO_POW_24;
        ASSERT_EQ(scaled, std::floor(scaled));
        ASSERT_GE(scaled, 0.0);
        ASSERT_LE(scaled, TWO_POW_24);
    }
}

TEST(RandomGenerator, AcceptsTheBoundarySeeds)
{
    RandomGenerator boundary(31328, 30081, false);
    EXPECT_EQ(boundary.Seed1(), 31328);
    EXPECT_EQ(boundary.Seed2(), 30081);
    EXPECT_FALSE(boundary.TickSeeded());
    EXPECT_NE(Draws(boundary, 200), Draws(RandomGenerator(1802, 9373, false), 200));
}

TEST(RandomGenerator, SeedsOutOfRangeFallBackButAreKept)
{
    auto const fallback = Draws(RandomGenerator(1802, 9373, false), 500);
    std::int32_t const pairs[][2] = { { 31329, 0 }, { -1, 5 }, { 0, 30082 }, { INT32_MIN, INT32_MAX } };
    for (auto const& pair : pairs) {
        RandomGenerator generator(pair[0], pair[1], false);
        EXPECT_EQ(Draws(generator, 500), fallback) << pair[0] << "," << pair[1];
        EXPECT_EQ(generator.Seed1(), pair[0]);
        EXPECT_EQ(generator.Seed2(), pair[1]);
        EXPECT_FALSE(RandomGenerator::SeedsInRange(pair[0], pair[1]));
    }
}

TEST(RandomGenerator, TickSeedingStaysInRangeAndIsReproducible)
{
    RandomGenerator generator(-7, -7, true);
    EXPECT_TRUE(generator.TickSeeded());
    EXPECT_GE(generator.Seed1(), 0);
    EXPECT_LE(generator.Seed1(), 31327);
    EXPECT_GE(generator.Seed2(), 0);
    EXPECT_LE(generator.Seed2(), 30080);
    EXPECT_EQ(Draws(generator, 100), Draws(RandomGenerator(generator.Seed1(), generator.Seed2(), false), 100));

    EXPECT_TRUE(g_random.TickSeeded());
    EXPECT_TRUE(RandomGenerator::SeedsInRange(g_random.Seed1(), g_random.Seed2()));
}

TEST(RandomGenerator, IntInRangeSplitsTheUnitIntervalAtOneHalf)
{
    RandomGenerator generator(4242, 2424, false);
    int seen[2] = { 0, 0 };
    for (int i = 0; i < 10000; ++i) {
        RandomGenerator peek = generator;
        double const u = peek.NextUniform();
        std::int32_t const value = generator.IntInRange(0, 1);
        ASSERT_EQ(value, u >= 0.5 ? 1 : 0) << u;
        ++seen[value];
    }
    EXPECT_GT(seen[0], 4000);
    EXPECT_GT(seen[1], 4000);
}

TEST(RandomGenerator, IntInRangeMatchesWideArithmeticForRangesThatFit)
{
    RandomGenerator generator(1, 2, false);
    std::int32_t const ranges[][2] = { { -5, 5 }, { 0, 0 }, { 100, 2100 }, { -1073741824, 1073741822 },
        { INT32_MIN, -2 }, { 0, INT32_MAX - 1 }, { INT32_MAX, INT32_MAX } };
    for (auto const& range : ranges) {
        for (int i = 0; i < 1000; ++i) {
            RandomGenerator peek = generator;
            double const u = peek.NextUniform();
            std::int64_t const span = static_cast<std::int64_t>(range[1]) - range[0] + 1;
            auto const expected = static_cast<std::int64_t>(static_cast<double>(span) * u) + range[0];
            std::int32_t const value = generator.IntInRange(range[0], range[1]);
            ASSERT_EQ(value, expected) << range[0] << ".." << range[1];
            ASSERT_GE(value, range[0]);
            ASSERT_LE(value, range[1]);
        }
    }
}

// Ranges whose size does not fit in 32 bits used to overflow; the size now
// wraps and the conversion saturates, so the result is defined (the
// sanitizer build would stop on undefined behaviour here).
TEST(RandomGenerator, IntInRangeIsDefinedForRangesThatDoNotFit)
{
    RandomGenerator generator(7, 7, false);
    for (int i = 0; i < 1000; ++i) {
        RandomGenerator peek = generator;
        double const u = peek.NextUniform();
        // INT32_MIN..INT32_MAX: the size 2^32 wraps to 0, so the draw adds nothing.
        EXPECT_EQ(generator.IntInRange(INT32_MIN, INT32_MAX), INT32_MIN);
        // -2^31+1..2^30: the size wraps to a negative int; lo plus the
        // truncated product wraps modulo 2^32.
        peek = generator;
        double const v = peek.NextUniform();
        std::int32_t const lo = INT32_MIN + 1;
        std::int32_t const hi = 1 << 30;
        auto const wrappedSpan = static_cast<std::int32_t>(static_cast<std::uint32_t>(hi) - static_cast<std::uint32_t>(lo) + 1u);
        auto const offset = static_cast<std::int64_t>(static_cast<double>(wrappedSpan) * v);
        auto const expected = static_cast<std::int32_t>(static_cast<std::uint32_t>(offset) + static_cast<std::uint32_t>(lo));
        EXPECT_EQ(generator.IntInRange(lo, hi), expected);
        (void)u;
    }
}

TEST(RandomGenerator, RealInRangeScalesTheDraw)
{
    RandomGenerator generator(99, 101, false);
    for (int i = 0; i < 1000; ++i) {
        RandomGenerator peek = generator;
        double const u = peek.NextUniform();
        double const value = generator.RealInRange(-2000.0, 2000.0);
        ASSERT_EQ(value, -2000.0 + u * 4000.0);
        ASSERT_GE(value, -2000.0);
        ASSERT_LE(value, 2000.0);
    }
}

}
