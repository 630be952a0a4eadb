// The paint layout at odd client sizes: the exact rectangles, halves that
// truncate toward zero, areas smaller than the margins, a huge area; and a
// program without a Globe.

#include "app/main_window.h"
#include "app/resource.h"
#include "render/map_buffer.h"
#include "tests/app/app_harness.h"
#include "tests/app/hand_worked_layouts.h"

using namespace app_test;
using winapi::testing::ChooseMenuItem;
using winapi::testing::ClientSurface;
using winapi::testing::ResizeClient;

namespace {

struct SizeCase {
    int width;
    int height;
    Layout layout; // written out by hand
};

// Runs the program to its first batch, stops the batches, resizes the
// client area, and returns what the repaint left together with what it
// should have left, drawn over an erased area with `layout`.
struct Painted {
    Image actual;
    Image expected;
};

Painted PaintAtSize(int width, int height, Layout const& layout)
{
    Painted painted;
    auto const run = RunWinMain(WinMain, {
        WaitThen([] { return g_dissectCount >= 51; },
            [&] {
                ChooseMenuItem(MainWindow(), CMD_TOGGLE_AUTO_DISSECT);
                EXPECT_TRUE(ResizeClient(MainWindow(), width, height));
            }),
        Do([&] {
            painted.actual = ClientSurface(MainWindow());
            painted.expected = ExpectedPaint(Erased(width, height), layout, g_dissectCount, false);
        }),
        Do([] { ChooseMenuItem(MainWindow(), CMD_EXIT); }),
    });
    EXPECT_TRUE(run.finished);
    EXPECT_EQ(run.exitCode, 0);
    return painted;
}

}

class OddSizeTest : public AppTest, public testing::WithParamInterface<SizeCase> { };

TEST_P(OddSizeTest, ResizeErasesAndPaintsTheExactLayout)
{
    SizeCase const size = GetParam();
    Painted const painted = PaintAtSize(size.width, size.height, size.layout);
    ASSERT_EQ(painted.actual.width, size.width);
    ASSERT_EQ(painted.actual.height, size.height);
    std::string where;
    EXPECT_EQ(CountDifferences(painted.actual, painted.expected, &where), 0u) << where;
}

INSTANTIATE_TEST_SUITE_P(App, OddSizeTest,
    testing::Values(
        // right - left = 97 and bottom - top = 101: the halves are 48 and 50.
        SizeCase { 107, 131, { 5, 25, 102, 126, 53, 75 } },
        // An even area for comparison.
        SizeCase { 410, 330, { 5, 25, 405, 325, 205, 175 } },
        // Narrower than the margins: right - left = -3 gives midX = left - 1.
        SizeCase { 7, 60, { 5, 25, 2, 55, 4, 40 } },
        // Lower than the margins: bottom - top = -5 gives midY = top - 2.
        SizeCase { 60, 25, { 5, 25, 55, 20, 30, 23 } },
        SizeCase { 1, 1, { 5, 25, -4, -4, 1, 11 } }),
    [](testing::TestParamInfo<SizeCase> const& info) {
        return std::to_string(info.param.width) + "x" + std::to_string(info.param.height);
    });

TEST_F(AppTest, AHugeClientAreaIsPaintedWhole)
{
    Layout const layout { 5, 25, 4095, 2295, 2050, 1160 };
    Painted const painted = PaintAtSize(4100, 2300, layout);
    ASSERT_EQ(painted.actual.width, 4100);
    ASSERT_EQ(painted.actual.height, 2300);
    std::string where;
    EXPECT_EQ(CountDifferences(painted.actual, painted.expected, &where), 0u) << where;
    // The map reaches the bottom-right corner of the inset area.
    EXPECT_GT(NonWhitePixels(painted.actual, 4000, 2200, 4095, 2295), 5000);
}

namespace {

struct Region {
    int left, top, right, bottom;
};

bool IsWhite(Image const& image, int x, int y)
{
    return image.At(x, y) == 0xFFFFFF;
}

// Non-white pixels outside every one of the regions, which do not overlap.
int NonWhiteOutside(Image const& image, std::initializer_list<Region> regions)
{
    int outside = NonWhitePixels(image, 0, 0, image.width, image.height);
    for (Region const& region : regions)
        outside -= NonWhitePixels(image, region.left, region.top, region.right, region.bottom);
    return outside;
}

}

// Sample pixels of a 410 x 330 window, read off its rectangles by hand:
// the status line in (5, 0, 405, 25), the lower view in (5, 25, 205, 175)
// with its disc of 150 centred at (105, 100), the upper view in (205, 25,
// 405, 175) centred at (305, 100), the map in (5, 175, 405, 325); with the
// map alone, the map in (5, 25, 405, 325).
TEST_F(AppTest, EachPartOfThePaintLiesInItsOwnRectangle)
{
    Image both;
    Image mapOnly;
    auto const run = RunWinMain(WinMain, {
        WaitThen([] { return g_dissectCount >= 51; },
            [&] {
                ChooseMenuItem(MainWindow(), CMD_TOGGLE_AUTO_DISSECT);
                EXPECT_TRUE(ResizeClient(MainWindow(), 410, 330));
            }),
        Do([&] {
            both = ClientSurface(MainWindow());
            ChooseMenuItem(MainWindow(), CMD_ONLY_MAP);
        }),
        Do([&] { mapOnly = ClientSurface(MainWindow()); }),
        Do([] { ChooseMenuItem(MainWindow(), CMD_EXIT); }),
    });
    EXPECT_TRUE(run.finished);
    ASSERT_EQ(both.width, 410);
    ASSERT_EQ(both.height, 330);
    ASSERT_EQ(mapOnly.width, 410);
    ASSERT_EQ(mapOnly.height, 330);

    EXPECT_EQ(NonWhiteOutside(both, { { 5, 0, 405, 25 }, { 5, 25, 205, 175 }, { 205, 25, 405, 175 }, { 5, 175, 405, 325 } }), 0);
    EXPECT_GT(NonWhitePixels(both, 5, 0, 405, 25), 100) << "the status text";
    // Each disc covers the middle of its view and leaves the view's side
    // strips, 25 wide, white.
    EXPECT_EQ(NonWhitePixels(both, 95, 90, 115, 110), 400);
    EXPECT_EQ(NonWhitePixels(both, 295, 90, 315, 110), 400);
    EXPECT_EQ(NonWhitePixels(both, 5, 25, 29, 175), 0);
    EXPECT_EQ(NonWhitePixels(both, 181, 25, 229, 175), 0);
    EXPECT_EQ(NonWhitePixels(both, 381, 25, 405, 175), 0);
    // The map fills its rectangle to the corners.
    EXPECT_FALSE(IsWhite(both, 5, 175));
    EXPECT_FALSE(IsWhite(both, 404, 175));
    EXPECT_FALSE(IsWhite(both, 5, 324));
    EXPECT_FALSE(IsWhite(both, 404, 324));
    EXPECT_EQ(NonWhitePixels(both, 5, 175, 405, 325), 400 * 150);

    EXPECT_EQ(NonWhiteOutside(mapOnly, { { 5, 0, 405, 25 }, { 5, 25, 405, 325 } }), 0);
    EXPECT_EQ(NonWhitePixels(mapOnly, 5, 25, 405, 325), 400 * 300);
    EXPECT_GT(NonWhitePixels(mapOnly, 5, 0, 405, 25), 100) << "the status text";
}

// The map buffer is drawn straight into its pixels; cell by cell through
// GDI it would hold the same.
TEST_F(AppTest, TheRenderedMapEqualsTheCellByCellMap)
{
    Image buffer;
    Image reference;
    auto const run = RunWinMain(WinMain, {
        WaitThen([] { return g_dissectCount >= 101; },
            [&] {
                ChooseMenuItem(MainWindow(), CMD_TOGGLE_AUTO_DISSECT);
                ChooseMenuItem(MainWindow(), CMD_RENDER);
                buffer = MapBufferPixels();
                reference = MapThroughGdi();
            }),
        Do([] { ChooseMenuItem(MainWindow(), CMD_EXIT); }),
    });
    EXPECT_TRUE(run.finished);
    ASSERT_GT(buffer.width, 0);
    std::string where;
    EXPECT_EQ(CountDifferences(buffer, reference, &where), 0u) << where;
}

TEST_F(AppTest, ChangingOneSideAloneRepaintsTheWholeArea)
{
    // The class redraws on horizontal and on vertical changes: either one
    // alone erases and repaints everything in the new layout.
    for (bool const widthOnly : { true, false }) {
        SCOPED_TRACE(widthOnly ? "width" : "height");
        Painted painted;
        auto const run = RunWinMain(WinMain, {
            WaitThen([] { return g_dissectCount >= 51; },
                [&] {
                    ChooseMenuItem(MainWindow(), CMD_TOGGLE_AUTO_DISSECT);
                    Image const now = ClientSurface(MainWindow());
                    ResizeClient(MainWindow(), now.width + (widthOnly ? 41 : 0), now.height + (widthOnly ? 0 : 37));
                }),
            Do([&] {
                painted.actual = ClientSurface(MainWindow());
                Image const& image = painted.actual;
                painted.expected = ExpectedPaint(Erased(image.width, image.height), LayoutFor(image.width, image.height),
                    g_dissectCount, false);
            }),
            Do([] { ChooseMenuItem(MainWindow(), CMD_EXIT); }),
        });
        EXPECT_TRUE(run.finished);
        std::string where;
        EXPECT_EQ(CountDifferences(painted.actual, painted.expected, &where), 0u) << where;
        TearDown();
        SetUp();
    }
}

TEST_F(AppTest, AZeroSizedClientAreaPaintsNothingAndSurvives)
{
    Image empty;
    Painted painted;
    auto const run = RunWinMain(WinMain, {
        Do([] { EXPECT_TRUE(ResizeClient(MainWindow(), 0, 0)); }),
        WaitThen([] { return g_dissectCount >= 101; },
            [&] {
                empty = ClientSurface(MainWindow());
                ChooseMenuItem(MainWindow(), CMD_TOGGLE_AUTO_DISSECT);
                EXPECT_TRUE(ResizeClient(MainWindow(), 300, 200));
            }),
        Do([&] {
            painted.actual = ClientSurface(MainWindow());
            painted.expected = ExpectedPaint(Erased(300, 200), LayoutFor(300, 200), g_dissectCount, false);
        }),
        Do([] { ChooseMenuItem(MainWindow(), CMD_EXIT); }),
    });
    EXPECT_TRUE(run.finished);
    EXPECT_EQ(empty.width, 0);
    EXPECT_EQ(empty.height, 0);
    EXPECT_TRUE(empty.pixels.empty());
    // Back at a usable size, the whole layout is there.
    std::string where;
    EXPECT_EQ(CountDifferences(painted.actual, painted.expected, &where), 0u) << where;
    EXPECT_GT(NonWhitePixels(painted.actual, 5, 110, 295, 195), 10000);
}

TEST_F(AppTest, WithoutAGlobeNothingIsDissectedOrDrawnFromIt)
{
    Globe* globe = nullptr;
    int count = 0;
    Image image;
    auto const run = RunWinMain(WinMain, {
        Do([&] {
            // The Globe goes away while the program runs; the window
            // procedure must neither dissect nor draw a null Globe.
            globe = g_globe;
            g_globe = nullptr;
            count = g_dissectCount;
            PostMessageA(MainWindow(), WM_TIMER, 1, 0);
            ChooseMenuItem(MainWindow(), CMD_RENDER);
            InvalidateRect(MainWindow(), nullptr, TRUE);
        }),
        Do([&] {
            image = ClientSurface(MainWindow());
            EXPECT_EQ(g_dissectCount, count);
            g_globe = globe;
            ChooseMenuItem(MainWindow(), CMD_EXIT);
        }),
    });
    EXPECT_TRUE(run.finished);
    // Only the status line was painted.
    Layout const layout = LayoutFor(image.width, image.height);
    EXPECT_EQ(NonWhitePixels(image, 0, 25, image.width, image.height), 0);
    // The erased window with the status line alone: with no buffer, the
    // map-only paint draws just that.
    EXPECT_EQ(g_mapDC, nullptr);
    EXPECT_EQ(CountDifferences(image, ExpectedPaint(Erased(image.width, image.height), layout, count, true)), 0u);
}
