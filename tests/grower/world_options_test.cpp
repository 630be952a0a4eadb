// The heightmap, mesh and metadata options and the check that no two
// outputs name the same file.
#include "grower/claimed_outputs.h"
#include "grower/grower_options.h"
#include "tests/grower/parsed_options.h"

#include <chrono>
#include <filesystem>

#include <gtest/gtest.h>

namespace {

std::string ErrorOf(std::vector<std::string> const& args)
{
    return ParseForTest(args).error;
}

std::string MapWindowsRefusal(GrowerOptions const& options, std::int32_t gridSize)
{
    return RefusalOf([&] { CheckMapWindows(options, gridSize); });
}

TEST(WorldOptions, ReadsTheNewOutputs)
{
    auto const parsed = ParseForTest({ "--heightmap", "h.R16", "--heightmap-size", "16384x1", "--mesh",
        "m.GLB", "--relief", "2.5", "--metadata", "m.json", "--image", "t.png", "--view", "texture", "--size",
        "20x10" });
    ASSERT_EQ(parsed.error, "");
    EXPECT_EQ(parsed.options.heightmapPath, "h.R16");
    EXPECT_EQ(parsed.options.heightmapSize->width, 16384);
    EXPECT_EQ(parsed.options.heightmapSize->height, 1);
    EXPECT_EQ(*parsed.options.relief, 2.5);
    EXPECT_EQ(parsed.options.metadataPath, "m.json");
    EXPECT_EQ(parsed.options.view, ImageView::Texture);
    EXPECT_FALSE(ParseForTest({ "--heightmap", "h.png" }).options.heightmapSize.has_value());
}

TEST(WorldOptions, ReadsWindowsCubesAndRanges)
{
    auto const parsed = ParseForTest({ "--heightmap", "h.r32", "--heightmap-size", "1048576x524288", "--region",
        "1048575,0,1x16384", "--sampling", "grid", "--cube-texture", "c-{face}-{face}.png", "--face-size", "16384",
        "--height-range", "-1.5,+2000.25" });
    ASSERT_EQ(parsed.error, "");
    EXPECT_EQ(parsed.options.region->left, 1048575);
    EXPECT_EQ(parsed.options.region->height, 16384);
    EXPECT_EQ(parsed.options.sampling, Sampling::Grid);
    EXPECT_EQ(*parsed.options.faceSize, 16384);
    EXPECT_EQ(parsed.options.heightRange->min, -1.5);
    EXPECT_EQ(parsed.options.heightRange->max, 2000.25);
    EXPECT_EQ(MapWindowsRefusal(parsed.options, 75), "");

    // A window of the default 2N x N map must fit it, and of the texture's.
    auto const outside = ParseForTest({ "--heightmap", "h.png", "--region", "100,0,51x10" });
    ASSERT_EQ(outside.error, "");
    EXPECT_EQ(MapWindowsRefusal(outside.options, 75),
        "--region 100,0,51x10 does not fit inside the 150x75 heightmap (try --help)");
    EXPECT_EQ(MapWindowsRefusal(outside.options, 76), "");
    auto const texture = ParseForTest({ "--image", "t.png", "--view", "texture", "--size", "20x10", "--region",
        "0,5,20x6" });
    EXPECT_NE(MapWindowsRefusal(texture.options, 75), "");
}

TEST(WorldOptions, RejectsBadInputWithAReason)
{
    std::vector<std::vector<std::string>> const bad = {
        { "--heightmap", "h.tif" },
        { "--heightmap", "png" },
        { "--heightmap", "" },
        { "--heightmap-size", "10x10" },
        { "--heightmap", "h.png", "--heightmap-size", "0x10" },
        { "--heightmap", "h.png", "--heightmap-size", "16385x10" },
        { "--mesh", "m.gltf" },
        { "--relief", "2" },
        { "--mesh", "m.glb", "--relief", "1000.001" },
        { "--mesh", "m.glb", "--relief", "-1" },
        { "--mesh", "m.glb", "--relief", "1e2" },
        { "--mesh", "m.glb", "--relief", "nan" },
        { "--mesh", "m.glb", "--relief", "." },
        { "--mesh", "m.glb", "--relief", "1.2.3" },
        { "--metadata", "m.txt" },
        { "--image", "t.png", "--view", "texture" },
        { "--heightmap", "h.png", "--heightmap-size", "16385x10", "--sampling", "grid" },
        { "--image", "m.png", "--view", "map", "--size", "16385x10", "--region", "0,0,1x1" },
        { "--heightmap", "h.png", "--region", "0,0,16385x1" },
        { "--heightmap", "h.png", "--region", "0,0" },
        { "--heightmap", "h.png", "--region", "-1,0,1x1" },
        { "--heightmap", "h.png", "--sampling", "Pixel" },
        { "--region", "0,0,1x1" },
        { "--cube-heightmap", "c.png" },
        { "--cube-heightmap", "{face}.tif" },
        { "--cube-texture", "{face}.r16" },
        { "--cube-texture", "{face}.png", "--face-size", "0" },
        { "--heightmap", "h.png", "--face-size", "4" },
        { "--heightmap", "h.png", "--height-range", "2,2" },
        { "--heightmap", "h.png", "--height-range", "1e3,2e3" },
        { "--heightmap", "h.png", "--height-range", "nan,1" },
        { "--image", "t.png", "--view", "texture", "--size", "9x9", "--height-range", "1,2" },
    };
    for (auto const& args : bad) {
        std::string const error = ErrorOf(args);
        EXPECT_NE(error, "") << args[0] << " " << (args.size() > 1 ? args[1] : "");
        EXPECT_EQ(error.find('\n'), std::string::npos) << error;
    }
}

TEST(WorldOptions, ReliefTakesPlainDecimalsFromZeroToAThousand)
{
    EXPECT_EQ(ParseRelief("0"), 0.0);
    EXPECT_EQ(ParseRelief("1000"), 1000.0);
    EXPECT_EQ(ParseRelief(".5"), 0.5);
    EXPECT_EQ(ParseRelief("7."), 7.0);
    EXPECT_FALSE(ParseRelief("+1").has_value());
    EXPECT_FALSE(ParseRelief("0x10").has_value());
    EXPECT_FALSE(ParseRelief("").has_value());
}

// The outputs are checked against the file system, in a scratch folder
// with one subfolder.
class OutputPaths : public ::testing::Test {
protected:
    void SetUp() override
    {
        folder = std::filesystem::temp_directory_path() / ("morva-world-options-" + std::to_string(std::chrono::steady_clock::now().time_since_epoch().count()));
        std::filesystem::create_directories(folder / "sub");
        previous = std::filesystem::current_path();
        std::filesystem::current_path(folder);
    }
    void TearDown() override
    {
        std::filesystem::current_path(previous);
        std::filesystem::remove_all(folder);
    }

    static std::string OutputsErrorOf(std::vector<std::string> const& args)
    {
        auto const parsed = ParseForTest(args);
        EXPECT_EQ(parsed.error, "");
        return RefusalOf([&] { ClaimedOutputs(parsed.options, 75); });
    }

    std::filesystem::path folder;
    std::filesystem::path previous;
};

TEST_F(OutputPaths, TwoOutputsNamingOneFileAreBadInput)
{
    EXPECT_EQ(OutputsErrorOf({ "--heightmap", "a.png", "--image", "./a.png", "--view", "map", "--size", "2x2" }),
        "--image and --heightmap both name the file 'a.png'");
    EXPECT_EQ(OutputsErrorOf({ "--mesh", "sub/../m.glb", "--dump", "m.glb" }),
        "--mesh and --dump both name the file 'm.glb'");
    EXPECT_EQ(OutputsErrorOf({ "--metadata", "sub//m.json", "--dump", "sub/m.json" }),
        "--dump and --metadata both name the file 'sub//m.json'");
    EXPECT_EQ(OutputsErrorOf({ "--heightmap", "a.png", "--image", "b.png", "--view", "map", "--size", "2x2", "--mesh",
                  "a.glb", "--dump", "a.bin", "--metadata", "a.json" }),
        "");
}

TEST_F(OutputPaths, AreClaimedInWritingOrder)
{
    auto const parsed = ParseForTest({ "--dump", "d.bin", "--metadata", "j.json", "--image", "i.png", "--view", "map",
        "--size", "2x2", "--mesh", "m.glb", "--heightmap", "h.png" });
    ASSERT_EQ(parsed.error, "");
    ClaimedOutputs const claimed(parsed.options, 75);
    std::string order;
    for (auto const& output : claimed.Outputs())
        order += output->file.Name().substr(0, 1);
    EXPECT_EQ(order, "ihmdj");
}

}
