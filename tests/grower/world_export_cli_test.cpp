// The grower's world files, read back by readers that are not ours: PIL for
// the PNGs, plain bytes for .r16, Python's json for the metadata (all in
// tests/readers/check_world_files.py), and the Khronos glTF validator.
#include "tests/cli_test_support.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

using cli_test::ProcessResult;

class WorldExportCli : public cli_test::ScratchFolderTest {
protected:
    WorldExportCli()
        : ScratchFolderTest("morva-world-")
    {
    }

    // Runs a grower from inside the scratch folder.
    ProcessResult RunGrower(std::string const& program, std::string const& args)
    {
        return Run("cd '" + folder.string() + "' && '" + program + "' --quiet " + args);
    }

    ProcessResult Check(std::string const& files)
    {
        return Run("cd '" + folder.string() + "' && '" MORVA_PYTHON3 "' '" WORLD_CHECKER "' " + files);
    }

    // Empty when the validator passes every file; skips when it is absent.
    void ExpectValidGltf(std::vector<std::string> const& files)
    {
        if (!fs::exists(GLTF_VALIDATOR_MODULE) || std::string(NODE_PROGRAM).empty())
            GTEST_SKIP() << "the glTF validator is not installed (bash scripts/install-deps.sh)";
        std::string command = "'" NODE_PROGRAM "' '" GLTF_VALIDATOR_SCRIPT "'";
        for (auto const& file : files)
            command += " '" + File(file) + "'";
        ProcessResult const result = Run(command);
        EXPECT_EQ(result.status, 0) << result.out << result.err;
    }
};

TEST_F(WorldExportCli, OneGrowthWritesEveryFileAsTheRulesSay)
{
    ProcessResult const grown = RunGrower(GROWER75,
        "--seeds 1802,9373 --passes 301 --sampling grid --heightmap h.png --image t.png --view texture --size 150x75 "
        "--mesh m.glb --metadata meta.json --dump d.bin");
    ASSERT_EQ(grown.status, 0) << grown.err;
    EXPECT_EQ(grown.err, "");
    EXPECT_EQ(Entries(), 5u); // no temporary file left over

    ProcessResult const checked = Check("d.bin meta.json h.png t.png");
    EXPECT_EQ(checked.status, 0) << checked.out << checked.err;
    ExpectValidGltf({ "m.glb" });
}

TEST_F(WorldExportCli, HeightmapsOfAnySizeCoverEveryPixel)
{
    // Sizes that do not divide the grid, one pixel high, and wider than it.
    for (std::string const size : { "7x301", "1x1", "1000x3" }) {
        ProcessResult const grown = RunGrower(GROWER75,
            "--seeds 4,5 --passes 51 --sampling grid --heightmap h.r16 --heightmap-size " + size
                + " --image t.png --view texture "
                "--size " + size + " --dump d.bin --metadata meta.json");
        ASSERT_EQ(grown.status, 0) << grown.err;
        ProcessResult const checked = Check("d.bin meta.json h.r16 t.png");
        EXPECT_EQ(checked.status, 0) << size << ": " << checked.out << checked.err;
    }
    // By default twice as wide as high, a pixel per grid point down.
    ASSERT_EQ(
        RunGrower(GROWER200, "--seeds 4,5 --passes 51 --sampling grid --heightmap h.png --dump d.bin --metadata meta.json")
            .status,
        0);
    EXPECT_NE(cli_test::Slurp(folder / "meta.json").find("\"width\": 400,\n      \"height\": 200"), std::string::npos);
    ProcessResult const checked = Check("d.bin meta.json h.png");
    EXPECT_EQ(checked.status, 0) << checked.out << checked.err;
}

TEST_F(WorldExportCli, MeshesPassTheGltfValidator)
{
    for (std::string const relief : { "0", "1", "37.5", "1000" })
        ASSERT_EQ(RunGrower(GROWER75, "--seeds 1,2 --passes 201 --mesh m" + relief + ".glb --relief " + relief).status, 0);
    ASSERT_EQ(RunGrower(GROWER200, "--seeds 1,2 --passes 101 --mesh m200.glb").status, 0);
    // One pass: nearly a sphere, still with no triangle enclosing no area.
    ASSERT_EQ(RunGrower(GROWER75, "--seeds 1,2 --passes 1 --mesh mone.glb").status, 0);
    ExpectValidGltf({ "m0.glb", "m1.glb", "m37.5.glb", "m1000.glb", "m200.glb", "mone.glb" });
}

TEST_F(WorldExportCli, BadInputLeavesNoFileAtAll)
{
    std::vector<std::string> const bad = {
        "--heightmap h.tga",
        "--heightmap h.png --heightmap-size 16385x2",
        "--heightmap-size 10x10",
        "--mesh m.obj",
        "--mesh m.glb --relief 1001",
        "--relief 2",
        "--metadata meta.yaml",
        "--heightmap same.png --image ./same.png --view texture --size 4x4",
        "--mesh a.glb --dump sub/../a.glb",
        "--dump d.bin --heightmap h.png --metadata no/such/folder/meta.json",
        "--image t.png --view texture",
        "--heightmap h.png --region 140,0,11x10",
        "--heightmap h.png --heightmap-size 16385x2 --region 16380,0,6x2",
        "--cube-heightmap c.png",
        "--cube-texture 'c{face}.r16'",
        "--cube-heightmap 'c{face}.png' --cube-texture 'c{face}.png'",
        "--face-size 4",
        "--sampling grid",
        "--heightmap h.r32 --height-range 2,1",
    };
    for (std::string const& args : bad) {
        ProcessResult const result = RunGrower(GROWER75, "--passes 1 " + args);
        EXPECT_EQ(result.status, 2) << args;
        EXPECT_EQ(result.out, "") << args;
        EXPECT_EQ(result.err.find('\n'), result.err.size() - 1) << args << ": " << result.err;
        EXPECT_EQ(Entries(), 0u) << args;
    }
}

}
