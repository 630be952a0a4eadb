#include "globe/portable_trig.h"

#include <gtest/gtest.h>

#include <quadmath.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>
#include <random>

namespace {

// The correctly rounded value, from quadruple precision (113 bits).
double RoundedSin(double x)
{
    return static_cast<double>(sinq(static_cast<__float128>(x)));
}

double RoundedCos(double x)
{
    return static_cast<double>(cosq(static_cast<__float128>(x)));
}

void ExpectCorrectlyRounded(double x)
{
    EXPECT_EQ(std::bit_cast<std::uint64_t>(PortableSin(x)), std::bit_cast<std::uint64_t>(RoundedSin(x)))
        << "sin(" << std::hexfloat << x << ")";
    EXPECT_EQ(std::bit_cast<std::uint64_t>(PortableCos(x)), std::bit_cast<std::uint64_t>(RoundedCos(x)))
        << "cos(" << std::hexfloat << x << ")";
}

TEST(PortableTrig, IsCorrectlyRoundedAtEveryAngleOfEveryGrid)
{
    for (int n : { 75, 200, 500, 700, 1000 }) {
        // The grid's steps: pi/n and 2pi/n rounded to single precision.
        auto const rowStep = static_cast<float>(3.14159265358979323846 / n);
        auto const columnStep = static_cast<float>(2.0 * 3.14159265358979323846 / n);
        for (int i = 0; i < n; ++i) {
            ExpectCorrectlyRounded(i * static_cast<double>(rowStep));
            ExpectCorrectlyRounded(i * static_cast<double>(columnStep));
        }
    }
}

TEST(PortableTrig, IsCorrectlyRoundedOnRandomArguments)
{
    std::mt19937_64 engine(20240611);
    std::uniform_real_distribution<double> angle(-40.0, 40.0);
    std::uniform_int_distribution<int> exponent(-60, 0);
    for (int k = 0; k < 20000; ++k)
        ExpectCorrectlyRounded(angle(engine));
    for (int k = 0; k < 5000; ++k)
        ExpectCorrectlyRounded(std::ldexp(angle(engine), exponent(engine)));
}

TEST(PortableTrig, IsCorrectlyRoundedNextToMultiplesOfHalfPi)
{
    // Where the reduced argument is tiny and cancellation is worst.
    for (int k = 1; k <= 12; ++k) {
        double x = k * 1.5707963267948966;
        for (int step = 0; step < 64; ++step)
            x = std::nextafter(x, 0.0);
        for (int step = 0; step < 128; ++step) {
            ExpectCorrectlyRounded(x);
            ExpectCorrectlyRounded(-x);
            x = std::nextafter(x, 100.0);
        }
    }
}

TEST(PortableTrig, ExactValuesAndNonFiniteArguments)
{
    EXPECT_EQ(std::bit_cast<std::uint64_t>(PortableSin(0.0)), 0u);
    EXPECT_EQ(PortableCos(0.0), 1.0);
    EXPECT_EQ(PortableSin(1e-200), 1e-200);
    EXPECT_EQ(PortableCos(1e-200), 1.0);
    double const infinity = std::numeric_limits<double>::infinity();
    EXPECT_TRUE(std::isnan(PortableSin(infinity)));
    EXPECT_TRUE(std::isnan(PortableCos(-infinity)));
    EXPECT_TRUE(std::isnan(PortableSin(std::numeric_limits<double>::quiet_NaN())));
}

}
