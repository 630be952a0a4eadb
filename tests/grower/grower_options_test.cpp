#include "grower/grower_options.h"
#include "tests/grower/parsed_options.h"

#include <gtest/gtest.h>

namespace {

ParsedGrowerOptions Parse(std::vector<std::string> const& args)
{
    return ParseForTest(args);
}

TEST(GrowerOptions, DefaultsToTickSeedsAndTheProgramsPassCount)
{
    auto const parsed = Parse({});
    ASSERT_EQ(parsed.error, "");
    EXPECT_FALSE(parsed.options.seed1.has_value());
    EXPECT_EQ(parsed.options.passes, 3001);
    EXPECT_EQ(parsed.options.dumpPath, "");
    EXPECT_FALSE(parsed.options.quiet);
}

TEST(GrowerOptions, ReadsEveryOption)
{
    auto const parsed = Parse({ "--seeds", "-4,31329", "--passes", "2147483647", "--dump", "g.bin", "--quiet" });
    ASSERT_EQ(parsed.error, "");
    EXPECT_EQ(*parsed.options.seed1, -4);
    EXPECT_EQ(*parsed.options.seed2, 31329);
    EXPECT_EQ(parsed.options.passes, 2147483647);
    EXPECT_EQ(parsed.options.dumpPath, "g.bin");
    EXPECT_TRUE(parsed.options.quiet);
}

TEST(GrowerOptions, RejectsBadInputWithAReason)
{
    std::vector<std::vector<std::string>> const bad = {
        { "--frobnicate" },
        { "--passes" },
        { "--passes", "0" },
        { "--passes", "-1" },
        { "--passes", "2147483648" },
        { "--passes", "12x" },
        { "--passes", "" },
        { "--passes", "1.5" },
        { "--seeds", "1" },
        { "--seeds", "1,x" },
        { "--seeds", ",2" },
        { "--seeds", "1,2,3" },
        { "--seeds", "2147483648,1" },
        { "--dump", "" },
        { "extra" },
    };
    for (auto const& args : bad) {
        auto const parsed = Parse(args);
        EXPECT_NE(parsed.error, "") << args[0] << (args.size() > 1 ? " " + args[1] : "");
        EXPECT_EQ(parsed.error.find('\n'), std::string::npos);
    }
}

// The words as CLI11 sorts them: --name=value is one, an option named again
// takes its last value, a flag takes none, and a value may look like an
// option.
TEST(GrowerOptions, ReadTheCommandLinesWordsOneWay)
{
    auto const parsed = Parse({ "--passes=7", "--dump", "--quiet", "--seeds", "1,2", "--seeds", "-3,4" });
    ASSERT_EQ(parsed.error, "");
    EXPECT_EQ(parsed.options.passes, 7);
    EXPECT_EQ(parsed.options.dumpPath, "--quiet");
    EXPECT_FALSE(parsed.options.quiet);
    EXPECT_EQ(*parsed.options.seed1, -3);
    EXPECT_EQ(Parse({ "--quiet=no" }).error, "--quiet takes no value (try --help)");
    EXPECT_EQ(Parse({ "--passes", "5", "--" }).error, "unknown option '--' (try --help)");
    EXPECT_EQ(Parse({ "--passes", "5", "--dump" }).error, "--dump needs a value (try --help)");
    EXPECT_NE(GrowerUsage("g").find("--cube-texture PATTERN"), std::string::npos);
}

TEST(GrowerOptions, VersionAsksForNothingElse)
{
    auto const parsed = Parse({ "--version", "--image", "w.png" });
    ASSERT_EQ(parsed.error, "");
    EXPECT_TRUE(parsed.options.version);
    EXPECT_FALSE(Parse({}).options.version);
}

// A build that cannot paint the window refuses --view window as bad input,
// and only that view.
TEST(GrowerOptions, TheWindowViewNeedsABuildThatCanPaintIt)
{
    auto const window = Parse({ "--image", "w.png", "--view", "window", "--size", "4x4" });
    ASSERT_EQ(window.error, "");
    EXPECT_EQ(RefusalOf([&] { CheckViewAvailable(window.options, true); }), "");
    std::string const refusal = RefusalOf([&] { CheckViewAvailable(window.options, false); });
    EXPECT_NE(refusal.find("cannot paint the program's window"), std::string::npos) << refusal;
    EXPECT_EQ(refusal.find('\n'), std::string::npos);
    for (char const* view : { "map", "lower", "upper", "texture" }) {
        auto const other = Parse({ "--image", "w.png", "--view", view, "--size", "4x4" });
        EXPECT_EQ(RefusalOf([&] { CheckViewAvailable(other.options, false); }), "") << view;
    }
}

TEST(ParseInteger, IsStrict)
{
    EXPECT_EQ(ParseInteger("42"), 42);
    EXPECT_EQ(ParseInteger("+42"), 42);
    EXPECT_EQ(ParseInteger("-42"), -42);
    EXPECT_FALSE(ParseInteger(" 42").has_value());
    EXPECT_FALSE(ParseInteger("42 ").has_value());
    EXPECT_FALSE(ParseInteger("+").has_value());
    EXPECT_FALSE(ParseInteger("+-1").has_value());
    EXPECT_FALSE(ParseInteger("99999999999999999999").has_value());
}

}
