// The heightmap, mesh and metadata options and the check that no two
// outputs name the same file.
#include "grower/grower_options.h"
#include "grower/output_paths.h"
#include "grower/requested_outputs.h"

#include <chrono>
#include <filesystem>

#include <gtest/gtest.h>

namespace {

std::string ErrorOf(std::vector<std::string> const& args)
{
    return ParseGrowerOptions(args).error;
}

TEST(WorldOptions, ReadsTheNewOutputs)
{
    auto const parsed = ParseGrowerOptions({ "--heightmap", "h.R16", "--heightmap-size", "16384x1", "--mesh",
        "m.GLB", "--relief", "2.5", "--metadata", "m.json", "--image", "t.png", "--view", "texture", "--size",
        "20x10" });
    ASSERT_EQ(parsed.error, "");
    EXPECT_EQ(parsed.options.heightmapPath, "h.R16");
    EXPECT_EQ(parsed.options.heightmapSize->width, 16384);
    EXPECT_EQ(parsed.options.heightmapSize->height, 1);
    EXPECT_EQ(*parsed.options.relief, 2.5);
    EXPECT_EQ(parsed.options.metadataPath, "m.json");
    EXPECT_EQ(parsed.options.view, ImageView::Texture);
    EXPECT_FALSE(ParseGrowerOptions({ "--heightmap", "h.png" }).options.heightmapSize.has_value());
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
        auto const parsed = ParseGrowerOptions(args);
        EXPECT_EQ(parsed.error, "");
        int status = 0;
        return CheckOutputs(RequestedOutputs(parsed.options), status);
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

TEST(RequestedOutputs, ListsEveryOutputInWritingOrder)
{
    auto const parsed = ParseGrowerOptions({ "--dump", "d.bin", "--metadata", "j.json", "--image", "i.png", "--view",
        "map", "--size", "2x2", "--mesh", "m.glb", "--heightmap", "h.png" });
    ASSERT_EQ(parsed.error, "");
    std::string order;
    for (RequestedOutput const& output : RequestedOutputs(parsed.options))
        order += output.name.substr(0, 1);
    EXPECT_EQ(order, "ihmdj");
}

}
