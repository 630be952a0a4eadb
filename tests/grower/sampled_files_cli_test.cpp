// Heightmaps and textures grown pixel by pixel, as files: each against the
// plain pass-by-pass loop over its pixels' directions, read back by PIL
// (tests/readers/check_world_files.py), by OpenEXR's own library, and as
// raw bytes; windows of a map against the whole map; cube faces sharing
// one height range.
#include "tests/cli_test_support.h"
#include "tests/plain_growth.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#ifdef MORVA_HAS_OPENEXR
#include <OpenEXR/ImfChannelList.h>
#include <OpenEXR/ImfFrameBuffer.h>
#include <OpenEXR/ImfHeader.h>
#include <OpenEXR/ImfInputFile.h>
#endif

#include <cstring>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

namespace {

using cli_test::ProcessResult;

constexpr int PASSES = 301;
char const* const GROW = "--seeds 1802,9373 --passes 301 ";

class SampledFilesCli : public cli_test::ScratchFolderTest {
protected:
    SampledFilesCli()
        : ScratchFolderTest("morva-sampled-")
    {
    }

    ProcessResult Grow(std::string const& args)
    {
        return Run("cd '" + folder.string() + "' && '" GROWER75 "' --quiet " + GROW + args);
    }

    ProcessResult Check(std::string const& files)
    {
        return Run("cd '" + folder.string() + "' && '" MORVA_PYTHON3 "' '" WORLD_CHECKER "' " + files);
    }

    // The radii, rounded to single precision, of the plain loop grown from
    // these starting points, as a .r32 file holds them.
    std::string Samples(std::vector<GlobePoint> points)
    {
        plain_growth::GrowPassByPass(points, 1802, 9373, PASSES);
        std::string bytes;
        for (GlobePoint const& p : points) {
            float const radius = static_cast<float>(PointRadius(p));
            char raw[4];
            std::memcpy(raw, &radius, 4);
            bytes.append(raw, 4);
        }
        return bytes;
    }

    std::string MapSamples(int left, int top, int width, int height, int mapWidth, int mapHeight)
    {
        std::vector<GlobePoint> points;
        for (int y = top; y < top + height; ++y) {
            for (int x = left; x < left + width; ++x)
                points.push_back(plain_growth::MapPixelStart(x, y, mapWidth, mapHeight));
        }
        return Samples(points);
    }

    void Save(std::string const& name, std::string const& bytes) { std::ofstream(File(name), std::ios::binary) << bytes; }

    nlohmann::json Metadata(std::string const& name) { return nlohmann::json::parse(cli_test::Slurp(File(name))); }
};

TEST_F(SampledFilesCli, EveryFormatHoldsThePlainLoopAtItsPixels)
{
    ProcessResult const grown = Grow("--heightmap h.png --heightmap-size 53x27 --image t.png --view texture "
                                     "--size 53x27 --dump d.bin --metadata meta.json");
    ASSERT_EQ(grown.status, 0) << grown.err;
    ASSERT_EQ(Grow("--heightmap h.r32 --heightmap-size 53x27 --metadata meta32.json").status, 0);
    ASSERT_EQ(Grow("--heightmap h.r16 --heightmap-size 53x27 --dump d16.bin --metadata meta16.json").status, 0);

    std::string const samples = MapSamples(0, 0, 53, 27, 53, 27);
    EXPECT_EQ(cli_test::Slurp(File("h.r32")), samples);
    Save("samples.r32", samples);
    ProcessResult checked = Check("d.bin meta.json --samples samples.r32 h.png t.png");
    EXPECT_EQ(checked.status, 0) << checked.out << checked.err;
    checked = Check("d16.bin meta16.json --samples samples.r32 h.r16");
    EXPECT_EQ(checked.status, 0) << checked.out << checked.err;
    EXPECT_EQ(Metadata("meta.json")["files"][0]["sampling"], "pixel");

#ifdef MORVA_HAS_OPENEXR
    ASSERT_EQ(Grow("--heightmap h.exr --heightmap-size 53x27").status, 0);
    Imf::InputFile exr(File("h.exr").c_str());
    Imath::Box2i const window = exr.header().dataWindow();
    ASSERT_EQ(window.max.x - window.min.x + 1, 53);
    ASSERT_EQ(window.max.y - window.min.y + 1, 27);
    ASSERT_NE(exr.header().channels().findChannel("Y"), nullptr);
    std::vector<float> heights(53 * 27);
    Imf::FrameBuffer frame;
    frame.insert("Y", Imf::Slice::Make(Imf::FLOAT, heights.data(), window));
    exr.setFrameBuffer(frame);
    exr.readPixels(window.min.y, window.max.y);
    EXPECT_EQ(std::memcmp(heights.data(), samples.data(), samples.size()), 0);
#endif
}

TEST_F(SampledFilesCli, AWindowHoldsTheWholeMapsPixels)
{
    // The whole map, then a window of it that touches its right edge, with
    // the range the whole map's 16-bit heights used.
    ASSERT_EQ(Grow("--heightmap whole.r16 --heightmap-size 60x30 --metadata whole.json").status, 0);
    auto const range = Metadata("whole.json")["height_range"];
    std::string const heightRange = range["radius_at_0"].dump() + "," + range["radius_at_65535"].dump();
    ProcessResult const grown = Grow("--region 41,9,19x13 --heightmap w.r16 --heightmap-size 60x30 --height-range "
        + heightRange + " --image w.png --view texture --size 60x30 --dump d.bin --metadata w.json");
    ASSERT_EQ(grown.status, 0) << grown.err;

    std::string const whole = cli_test::Slurp(File("whole.r16"));
    std::string window;
    for (int y = 9; y < 9 + 13; ++y)
        window += whole.substr(static_cast<std::size_t>((y * 60 + 41) * 2), 19 * 2);
    EXPECT_EQ(cli_test::Slurp(File("w.r16")), window);
    Save("samples.r32", MapSamples(41, 9, 19, 13, 60, 30));
    ProcessResult const checked = Check("d.bin w.json --samples samples.r32 w.r16 w.png");
    EXPECT_EQ(checked.status, 0) << checked.out << checked.err;
    EXPECT_EQ(Metadata("w.json")["files"][0]["map_width"], 60);
}

TEST_F(SampledFilesCli, CubeFacesAreThePlainLoopAndShareOneHeightRange)
{
    ProcessResult grown = Grow("--cube-heightmap 'c {face}.r32' --cube-texture 't-{face}.png' --face-size 11 "
                               "--dump d.bin --metadata meta.json");
    ASSERT_EQ(grown.status, 0) << grown.err;
    grown = Grow("--cube-heightmap 'c-{face}-{face}.png' --face-size 11 --dump d.bin --metadata meta16.json");
    ASSERT_EQ(grown.status, 0) << grown.err;
    EXPECT_EQ(Metadata("meta.json")["files"].size(), 13u); // six heightmaps, six textures, the dump

    float low = 1e9f;
    float high = 0.0f;
    for (int face = 0; face < 6; ++face) {
        std::vector<GlobePoint> points;
        for (int j = 0; j < 11; ++j) {
            for (int i = 0; i < 11; ++i)
                points.push_back(plain_growth::CubePixelStart(face, i, j, 11));
        }
        std::string const samples = Samples(points);
        for (std::size_t i = 0; i < samples.size(); i += 4) {
            float radius = 0.0f;
            std::memcpy(&radius, samples.data() + i, 4);
            low = std::min(low, radius);
            high = std::max(high, radius);
        }
        std::string const name = std::string("pxnxpynypznz").substr(static_cast<std::size_t>(2 * face), 2);
        EXPECT_EQ(cli_test::Slurp(File("c " + name + ".r32")), samples) << name;
        Save("samples.r32", samples);
        ProcessResult checked = Check("d.bin meta.json --samples samples.r32 't-" + name + ".png'");
        EXPECT_EQ(checked.status, 0) << checked.out << checked.err;
        checked = Check("d.bin meta16.json --samples samples.r32 'c-" + name + "-" + name + ".png'");
        EXPECT_EQ(checked.status, 0) << checked.out << checked.err;
    }
    // One range over all six faces, so that they meet without a step.
    nlohmann::json const range = Metadata("meta16.json")["height_range"];
    EXPECT_EQ(range["radius_at_0"], static_cast<double>(low));
    EXPECT_EQ(range["radius_at_65535"], static_cast<double>(high));
}

}
