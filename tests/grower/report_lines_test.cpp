#include "grower/report_lines.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cstdio>
#include <string>

namespace {

// Radii as the grower prints them, and the corners of printf's %g: whole
// numbers, exponents either way, the smallest and largest doubles, -0.
constexpr double VALUES[] = { 2002.0593212610227, 2114.5, 2000.0, 0.1, 1e-5, 1e16, 1e17, 123456789012345678.0,
    5e-324, 1.7976931348623157e308, -0.0, -1913.125 };

std::string PrintfText(double value)
{
    char text[64];
    std::snprintf(text, sizeof text, "%.17g", value);
    return text;
}

TEST(ReportLines, WriteTheTextPrintfWritesInTheCLocale)
{
    ASSERT_EQ(PrintfText(0.5), "0.5") << "the test runs in a locale with another decimal point";
    for (double const value : VALUES)
        EXPECT_EQ(ReportLine().AddDecimal(value).Text(), PrintfText(value));
    EXPECT_STREQ(ResultLine(-2147483647 - 1, 9373, 2147483647, 2002.0593212610227, 2114.5).Text(),
        "seeds=-2147483648,9373 passes=2147483647 mean_radius=2002.0593212610227 max_radius=2114.5\n");
    EXPECT_STREQ(TimingsLine(1234, 0, 56789012345LL).Text(), "grow_ms=1234 render_ms=0 encode_ms=56789012345\n");
}

// As after Qt's start-up, which adopts the user's locale for the C library.
TEST(ReportLines, AreTheSameInALocaleWithADecimalComma)
{
    std::string const before = ResultLine(5, 6, 201, 2002.0593212610227, 2114.5).Text();
    // The German locale's name on Linux, and on Windows.
    if (!std::setlocale(LC_NUMERIC, "de_DE.UTF-8") && !std::setlocale(LC_NUMERIC, "German_Germany.1252"))
        GTEST_SKIP() << "no German locale to test with (bash scripts/install-deps.sh generates de_DE.UTF-8)";
    std::string const commaPrintf = PrintfText(0.5);
    std::string const after = ResultLine(5, 6, 201, 2002.0593212610227, 2114.5).Text();
    std::string const decimal = ReportLine().AddDecimal(0.5).Text();
    std::setlocale(LC_NUMERIC, "C");
    ASSERT_EQ(commaPrintf, "0,5") << "the locale does not write a decimal comma";
    EXPECT_EQ(after, before);
    EXPECT_EQ(decimal, "0.5");
}

}
