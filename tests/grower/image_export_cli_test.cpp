// Runs the grower with --image as a user would and decodes what it wrote.
#include "globe/globe_point.h"
#include "tests/cli_test_support.h"
#include "png_test_reader.h"
#include "render/elevation_color.h"
#include "render/float_conversion.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

using cli_test::ProcessResult;
using cli_test::Slurp;

double SummaryValue(std::string const& out, std::string const& key)
{
    auto const at = out.find(" " + key + "=");
    if (at == std::string::npos)
        return -1;
    return std::strtod(out.c_str() + at + key.size() + 2, nullptr);
}

class ImageExport : public cli_test::ScratchFolderTest {
protected:
    ImageExport()
        : ScratchFolderTest("morva-image-")
    {
    }

    ProcessResult RunGrower(std::string const& program, std::string const& args)
    {
        return Run("'" + program + "' " + args);
    }

    std::string Image(std::string const& name) const { return File(name); }
};

TEST_F(ImageExport, TheMapShowsEveryGridPointInItsElevationColour)
{
    // 75 points over 150 x 75: two pixels per column, one per row.
    std::string const dump = Image("grid.bin");
    std::string const png = Image("map.png");
    ProcessResult const run = RunGrower(
        GROWER75, "--seeds 1802,9373 --passes 301 --dump '" + dump + "' --image '" + png + "' --view map --size 150x75");
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.err, "");
    float const mean = RoundToSingle(SummaryValue(run.out, "mean_radius"));
    float const max = RoundToSingle(SummaryValue(run.out, "max_radius"));
    ASSERT_GT(max, mean);

    std::string const bytes = Slurp(dump);
    ASSERT_EQ(bytes.size(), 12u * 75 * 75);
    DecodedPng const image = ReadPng(png);
    ASSERT_TRUE(image.ok) << image.error;
    EXPECT_TRUE(image.rgb8);
    ASSERT_EQ(image.width, 150u);
    ASSERT_EQ(image.height, 75u);
    int mismatches = 0;
    int land = 0;
    for (int i = 0; i < 75; ++i) {
        for (int j = 0; j < 75; ++j) {
            float xyz[3];
            std::memcpy(xyz, bytes.data() + 12 * (i * 75 + j), 12);
            COLORREF const wanted
                = ElevationColor(RoundToSingle(PointRadius(xyz[0], xyz[1], xyz[2])), mean, max);
            land += GetRValue(wanted) != 0;
            mismatches += image.Pixel(2 * j, i) != wanted;
            mismatches += image.Pixel(2 * j + 1, i) != wanted;
        }
    }
    EXPECT_EQ(mismatches, 0);
    EXPECT_GT(land, 0) << "a grown planet has land";
    EXPECT_LT(land, 75 * 75) << "and sea";
}

TEST_F(ImageExport, PixelsNoCellCoversStayBlack)
{
    // At 200 points over 1920 pixels the last column is never painted.
    std::string const png = Image("wide.png");
    ProcessResult const run = RunGrower(GROWER200, "--seeds 5,6 --passes 51 --image '" + png + "' --view map --size 1920x40");
    ASSERT_EQ(run.status, 0) << run.err;
    DecodedPng const image = ReadPng(png);
    ASSERT_TRUE(image.ok) << image.error;
    ASSERT_EQ(image.width, 1920u);
    int paintedNextToIt = 0;
    for (std::uint32_t y = 0; y < 40; ++y) {
        EXPECT_EQ(image.Pixel(1919, y), 0u) << y;
        paintedNextToIt += image.Pixel(1918, y) != 0;
    }
    // Deep sea can wrap to black too, but not a whole column of it.
    EXPECT_GT(paintedNextToIt, 20);
}

TEST_F(ImageExport, TheHemispheresAreDiscsOnBlack)
{
    std::string const lowerPng = Image("lower.png");
    std::string const upperPng = Image("upper.png");
    ASSERT_EQ(RunGrower(GROWER200, "--seeds 7,8 --passes 201 --image '" + lowerPng + "' --view lower --size 300x200").status, 0);
    ASSERT_EQ(RunGrower(GROWER200, "--seeds 7,8 --passes 201 --image '" + upperPng + "' --view upper --size 300x200").status, 0);
    DecodedPng const lower = ReadPng(lowerPng);
    DecodedPng const upper = ReadPng(upperPng);
    ASSERT_TRUE(lower.ok && upper.ok);
    int differences = 0;
    for (DecodedPng const* image : { &lower, &upper }) {
        ASSERT_EQ(image->width, 300u);
        ASSERT_EQ(image->height, 200u);
        // The disc of diameter 200 around (150, 100).
        int outside = 0;
        int inside = 0;
        for (std::uint32_t y = 0; y < 200; ++y) {
            for (std::uint32_t x = 0; x < 300; ++x) {
                long const dx = static_cast<long>(x) - 150;
                long const dy = static_cast<long>(y) - 100;
                bool const painted = image->Pixel(x, y) != 0;
                if (dx * dx + dy * dy > 101 * 101)
                    outside += painted;
                else if (dx * dx + dy * dy < 80 * 80)
                    inside += painted;
                differences += lower.Pixel(x, y) != upper.Pixel(x, y);
            }
        }
        EXPECT_EQ(outside, 0);
        EXPECT_GT(inside, 19000); // of about 20,100
    }
    EXPECT_GT(differences, 10000) << "the two sides of the planet differ";
}

TEST_F(ImageExport, TheSameSeedsGiveTheSameImage)
{
    std::string const first = Image("a.png");
    std::string const second = Image("b.png");
    ASSERT_EQ(RunGrower(GROWER75, "--seeds 3,4 --passes 60 --image '" + first + "' --view upper --size 64x48").status, 0);
    ASSERT_EQ(RunGrower(GROWER75, "--seeds 3,4 --passes 60 --image '" + second + "' --view upper --size 64x48").status, 0);
    EXPECT_EQ(Slurp(first), Slurp(second));
    EXPECT_EQ(Entries(), 2u) << "no temporary file is left";
}

TEST_F(ImageExport, TakesTheExtremeSizes)
{
    std::string const png = Image("strip.png");
    ASSERT_EQ(RunGrower(GROWER75, "--seeds 3,4 --passes 1 --image '" + png + "' --view map --size 16384x1").status, 0);
    DecodedPng const strip = ReadPng(png);
    ASSERT_TRUE(strip.ok) << strip.error;
    EXPECT_EQ(strip.width, 16384u);
    EXPECT_EQ(strip.height, 1u);
    ASSERT_EQ(RunGrower(GROWER75, "--seeds 3,4 --passes 1 --image '" + png + "' --view lower --size 1x1").status, 0);
    DecodedPng const dot = ReadPng(png);
    ASSERT_TRUE(dot.ok) << dot.error;
    EXPECT_EQ(dot.width, 1u);
}

TEST_F(ImageExport, TimingsAreOneLineOnStderr)
{
    std::string const png = Image("t.png");
    ProcessResult const run
        = RunGrower(GROWER75, "--seeds 3,4 --passes 60 --image '" + png + "' --view map --size 300x150 --timings");
    ASSERT_EQ(run.status, 0) << run.err;
    long long grow = -1;
    long long render = -1;
    long long encode = -1;
    char tail = 0;
    ASSERT_EQ(std::sscanf(run.err.c_str(), "grow_ms=%lld render_ms=%lld encode_ms=%lld%c", &grow, &render, &encode, &tail), 4)
        << run.err;
    EXPECT_EQ(tail, '\n');
    EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1);
    EXPECT_GE(grow, 0);
    EXPECT_GE(render, 0);
    EXPECT_GE(encode, 0);
    EXPECT_EQ(run.out.rfind("seeds=3,4 passes=60 ", 0), 0u) << "the summary stays on stdout";
}

TEST_F(ImageExport, BadRequestsFailWithOneLineAndNoFile)
{
    std::string const png = Image("bad.png");
    std::string const image = " --image '" + png + "'";
    std::string const bad[] = {
        image + " --view side --size 10x10",
        image + " --view map --size 0x10",
        image + " --view map --size 10x16385",
        image + " --view map --size 10",
        image + " --view map",
        image + " --size 10x10",
        "--view map --size 10x10",
        " --image '" + (folder / "missing" / "a.png").string() + "' --view map --size 10x10",
        " --image '" + folder.string() + "' --view map --size 10x10",
    };
    for (auto const& args : bad) {
        ProcessResult const run = RunGrower(GROWER75, "--passes 1" + args);
        EXPECT_EQ(run.status, 2) << args;
        EXPECT_EQ(run.out, "") << args;
        EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << args << ": " << run.err;
        EXPECT_EQ(run.err.rfind("morva75-grower: ", 0), 0u) << run.err;
        EXPECT_EQ(Entries(), 0u) << args;
    }
}

}
