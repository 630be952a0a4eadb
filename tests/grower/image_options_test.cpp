#include "grower/grower_options.h"
#include "tests/grower/parsed_options.h"

#include <gtest/gtest.h>

namespace {

ParsedGrowerOptions Parse(std::vector<std::string> const& args)
{
    return ParseForTest(args);
}

TEST(ImageOptions, ReadAnImageRequest)
{
    auto const parsed = Parse({ "--image", "planet.png", "--view", "lower", "--size", "960x520", "--timings" });
    ASSERT_EQ(parsed.error, "");
    EXPECT_EQ(parsed.options.imagePath, "planet.png");
    ASSERT_TRUE(parsed.options.view.has_value());
    EXPECT_EQ(*parsed.options.view, ImageView::Lower);
    ASSERT_TRUE(parsed.options.imageSize.has_value());
    EXPECT_EQ(parsed.options.imageSize->width, 960);
    EXPECT_EQ(parsed.options.imageSize->height, 520);
    EXPECT_TRUE(parsed.options.timings);
}

TEST(ImageOptions, AreOffByDefault)
{
    auto const parsed = Parse({ "--passes", "5" });
    ASSERT_EQ(parsed.error, "");
    EXPECT_EQ(parsed.options.imagePath, "");
    EXPECT_FALSE(parsed.options.view.has_value());
    EXPECT_FALSE(parsed.options.imageSize.has_value());
    EXPECT_FALSE(parsed.options.timings);
    EXPECT_EQ(Parse({ "--timings" }).error, "") << "timings alone report the growth";
}

TEST(ImageOptions, TakeSizesFromOneTo16384EachWay)
{
    auto const smallest = ParseImageSize("1x1");
    ASSERT_TRUE(smallest.has_value());
    EXPECT_EQ(smallest->width, 1);
    EXPECT_EQ(smallest->height, 1);
    auto const largest = ParseImageSize("16384x16384");
    ASSERT_TRUE(largest.has_value());
    EXPECT_EQ(largest->width, 16384);
    auto const padded = ParseImageSize("0640x0480");
    ASSERT_TRUE(padded.has_value());
    EXPECT_EQ(padded->width, 640);

    for (char const* bad : { "0x5", "5x0", "16385x1", "1x16385", "99999x1", "5", "5x", "x5", "5x5x5", "-5x5", "+5x5",
             " 5x5", "5x5 ", "5X5", "5*5", "1e3x5", "", "x", "000000001x1" })
        EXPECT_FALSE(ParseImageSize(bad).has_value()) << "'" << bad << "'";
}

TEST(ImageOptions, RejectBadOrIncompleteRequestsWithAReason)
{
    std::vector<std::vector<std::string>> const bad = {
        { "--image", "a.png", "--view", "side", "--size", "10x10" },
        { "--image", "a.png", "--view", "map", "--size", "10x0" },
        { "--image", "a.png", "--view", "map", "--size", "16385x10" },
        { "--image", "a.png", "--view", "map" },
        { "--image", "a.png", "--size", "10x10" },
        { "--view", "map", "--size", "10x10" },
        { "--view", "map" },
        { "--size", "10x10" },
        { "--image", "", "--view", "map", "--size", "10x10" },
        { "--image" },
        { "--image", "a.png", "--view" },
        { "--image", "a.png", "--view", "map", "--size" },
    };
    for (auto const& args : bad) {
        auto const parsed = Parse(args);
        std::string joined;
        for (auto const& arg : args)
            joined += arg + " ";
        EXPECT_NE(parsed.error, "") << joined;
        EXPECT_EQ(parsed.error.find('\n'), std::string::npos) << joined;
    }
    EXPECT_NE(Parse({ "--image", "a.png", "--view", "side", "--size", "1x1" }).error.find("map|lower|upper"),
        std::string::npos);
}

}
