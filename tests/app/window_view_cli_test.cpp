// morva<N>-grower --view window, run as a user would: with no display at
// all, or with one it must not use, and with bad options.

#include "tests/cli_test_support.h"
#include "tests/grower/png_test_reader.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <clocale>
#include <cstdint>
#include <filesystem>
#include <string>

namespace fs = std::filesystem;

namespace {

using cli_test::Slurp;

constexpr std::uint32_t WHITE = 0xFFFFFF;

class WindowViewCli : public cli_test::ScratchFolderTest {
protected:
    WindowViewCli()
        : ScratchFolderTest("morva-window-")
    {
    }

    // Runs the grower with `environment` (an env(1) prefix) and `args`.
    cli_test::ProcessResult RunGrower(std::string const& environment, std::string const& args)
    {
        return Run("env " + environment + " '" GROWER75 "' --quiet " + args);
    }
};

constexpr char NO_DISPLAY[] = "-u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM";

int NonWhite(DecodedPng const& png, std::uint32_t left, std::uint32_t top, std::uint32_t right, std::uint32_t bottom)
{
    int count = 0;
    for (std::uint32_t y = top; y < bottom; ++y) {
        for (std::uint32_t x = left; x < right; ++x)
            count += png.Pixel(x, y) != WHITE;
    }
    return count;
}

}

TEST_F(WindowViewCli, PaintsTheWindowWithoutADisplay)
{
    auto const run = RunGrower(NO_DISPLAY, "--seeds 5,6 --passes 201 --image '" + File("w.png") + "' --view window --size 300x200");
    ASSERT_EQ(run.status, 0) << run.err;
    auto const png = ReadPng(File("w.png"));
    ASSERT_TRUE(png.ok) << png.error;
    EXPECT_TRUE(png.rgb8);
    ASSERT_EQ(png.width, 300u);
    ASSERT_EQ(png.height, 200u);
    // Inset: left 5, top 25, right 295, bottom 195; midX 150, midY 110.
    EXPECT_GT(NonWhite(png, 5, 0, 295, 25), 50) << "no status text";
    EXPECT_EQ(NonWhite(png, 0, 25, 5, 200), 0);
    EXPECT_EQ(NonWhite(png, 295, 25, 300, 200), 0);
    EXPECT_EQ(NonWhite(png, 0, 195, 300, 200), 0);
    // The map fills the lower half; the two discs leave the corners of
    // their quarters white.
    EXPECT_EQ(NonWhite(png, 5, 110, 295, 195), 290 * 85);
    EXPECT_GT(NonWhite(png, 5, 25, 150, 110), 2000);
    EXPECT_GT(NonWhite(png, 150, 25, 295, 110), 2000);
    EXPECT_EQ(NonWhite(png, 5, 25, 15, 30), 0);
    EXPECT_EQ(NonWhite(png, 285, 25, 295, 30), 0);
}

// The result line is for programs to read: the user's locale, which Qt's
// start-up adopts, leaves it as the other views print it, in any locale.
TEST_F(WindowViewCli, PrintsTheResultLineAsTheOtherViewsInALocaleWithADecimalComma)
{
    if (!std::setlocale(LC_NUMERIC, "de_DE.UTF-8"))
        GTEST_SKIP() << "no de_DE.UTF-8 locale to test with (bash scripts/install-deps.sh generates it)";
    std::setlocale(LC_NUMERIC, "C");
    std::string const args = "--seeds 5,6 --passes 201 --size 30x20 --image '" + File("p.png") + "' --view ";
    auto const window = RunGrower(std::string(NO_DISPLAY) + " LC_ALL=de_DE.UTF-8", args + "window");
    auto const map = RunGrower("LC_ALL=C", args + "map");
    ASSERT_EQ(window.status, 0) << window.err;
    ASSERT_EQ(map.status, 0) << map.err;
    EXPECT_EQ(window.out, map.out);
}

// Outside a desktop session (no runtime folder either) a quiet run prints
// nothing at all.
TEST_F(WindowViewCli, IsSilentOutsideADesktopSession)
{
    auto const run = RunGrower(std::string(NO_DISPLAY) + " -u XDG_RUNTIME_DIR",
        "--seeds 5,6 --passes 11 --image '" + File("w.png") + "' --view window --size 64x48");
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.err, "");
}

TEST_F(WindowViewCli, NeverUsesTheDisplayAndIsReproducible)
{
    std::string const args = "--seeds 5,6 --passes 101 --view window --size 160x120 --image ";
    ASSERT_EQ(RunGrower(NO_DISPLAY, args + "'" + File("a.png") + "'").status, 0);
    // A display that does not exist: the grower does not try it.
    auto const run = RunGrower("-u QT_QPA_PLATFORM -u WAYLAND_DISPLAY DISPLAY=:97", args + "'" + File("b.png") + "'");
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(Slurp(File("a.png")), Slurp(File("b.png")));
}

TEST_F(WindowViewCli, TheScreenSizesTheMapBufferOnly)
{
    std::string const args = "--seeds 5,6 --passes 101 --view window --size 300x200 --image ";
    ASSERT_EQ(RunGrower(NO_DISPLAY, args + "'" + File("default.png") + "'").status, 0);
    ASSERT_EQ(RunGrower(NO_DISPLAY, args + "'" + File("small.png") + "' --screen 150x75").status, 0);
    auto const wide = ReadPng(File("default.png"));
    auto const small = ReadPng(File("small.png"));
    ASSERT_TRUE(wide.ok && small.ok);
    int above = 0;
    int below = 0;
    for (std::uint32_t y = 0; y < 200; ++y) {
        for (std::uint32_t x = 0; x < 300; ++x) {
            if (wide.Pixel(x, y) != small.Pixel(x, y))
                ++(y < 110 ? above : below);
        }
    }
    EXPECT_EQ(above, 0);
    EXPECT_GT(below, 0);
}

TEST_F(WindowViewCli, BadScreenOptionsFailWithoutAFile)
{
    struct Case {
        std::string args;
        std::string message;
    };
    Case const cases[] = {
        { "--view map --size 10x10 --screen 100x100", "--screen needs --view window" },
        { "--view window --size 10x10 --screen 0x100", "--screen needs WxH" },
        { "--view window --size 10x10 --screen 100x16385", "--screen needs WxH" },
        { "--view window --size 10x10 --screen 100", "--screen needs WxH" },
        { "--view window", "--image needs --size" },
    };
    for (auto const& c : cases) {
        auto const run = RunGrower(NO_DISPLAY, "--image '" + File("x.png") + "' " + c.args);
        EXPECT_EQ(run.status, 2) << c.args;
        EXPECT_NE(run.err.find(c.message), std::string::npos) << c.args << ": " << run.err;
        EXPECT_FALSE(fs::exists(File("x.png"))) << c.args;
    }
    auto const withoutImage = RunGrower(NO_DISPLAY, "--screen 100x100");
    EXPECT_EQ(withoutImage.status, 2);
}

namespace {

// FNV-1a (64 bits) of the picture's red, green and blue bytes, row by row
// from `firstRow` down.
std::uint64_t PixelDigest(DecodedPng const& png, std::uint32_t firstRow = 0)
{
    std::uint64_t digest = 0xcbf29ce484222325u;
    std::size_t const begin = static_cast<std::size_t>(firstRow) * png.width * 3;
    for (std::size_t i = begin; i < png.rgb.size(); ++i) {
        digest ^= png.rgb[i];
        digest *= 0x100000001b3u;
    }
    return digest;
}

struct RecordedWindow {
    char const* grower;
    char const* args;
    std::uint32_t width;
    std::uint32_t height;
    // The whole picture, and the part below the 25-pixel status strip,
    // whose text depends on the font Qt finds (DejaVu Sans Bold on Debian).
    std::uint64_t digest;
    std::uint64_t belowStatusDigest;
};

}

// Window pictures of both grid sizes, odd sizes, tiny windows and screens
// included, against digests recorded by hand from the pictures an earlier
// build of the grower made, before its window view ran on the headless
// interface of USER. They were never computed by this code, so they are
// independent expectations: any change in what the window paints, or in how
// it is run headless, shows here.
TEST_F(WindowViewCli, PaintsTheRecordedPictures)
{
    RecordedWindow const recorded[] = {
        { "75", "--seeds 5,6 --passes 201 --size 300x200",
            300, 200, 0x7c5f4e4817d97343, 0x631563aeb927859e },
        { "75", "--seeds 1802,9373 --passes 3001 --size 333x247 --screen 1001x703",
            333, 247, 0xf5224b3a69784c02, 0x3bb26d6d3850a4d6 },
        { "75", "--seeds 7,8 --passes 1 --size 13x9 --screen 97x61",
            13, 9, 0x41074bd013b2c399, 0xcbf29ce484222325 },
        { "75", "--seeds 3,4 --passes 99 --size 9x41 --screen 33x17",
            9, 41, 0xcd63ae69bcc3efa7, 0xace055578cc3de32 },
        { "200", "--seeds 11,22 --passes 451 --size 641x481",
            641, 481, 0x0923c641ee3b3254, 0x4bcf7aeab8585d14 },
        { "200", "--seeds 31328,30081 --passes 52 --size 1023x767 --screen 1280x1024",
            1023, 767, 0xbb90f9e0eabe3f0f, 0x4a93b095db311eaa },
    };
    for (RecordedWindow const& window : recorded) {
        std::string const grower = window.grower;
        std::string program;
        if (grower == "75")
            program = GROWER75;
#ifdef GROWER200
        if (grower == "200")
            program = GROWER200;
#endif
        if (program.empty()) {
            ADD_FAILURE() << "morva" << grower << "-grower is not built";
            continue;
        }
        std::string const path = File("recorded.png");
        auto const run = Run("env " + std::string(NO_DISPLAY) + " '" + program + "' --quiet --view window --image '"
            + path + "' " + window.args);
        ASSERT_EQ(run.status, 0) << window.args << ": " << run.err;
        auto const png = ReadPng(path);
        ASSERT_TRUE(png.ok) << window.args << ": " << png.error;
        ASSERT_EQ(png.width, window.width) << window.args;
        ASSERT_EQ(png.height, window.height) << window.args;
        EXPECT_EQ(PixelDigest(png, std::min(25u, png.height)), window.belowStatusDigest)
            << "morva" << grower << "-grower " << window.args << ": the views or the map differ";
        EXPECT_EQ(PixelDigest(png), window.digest) << "morva" << grower << "-grower " << window.args;
    }
}
