// The paint layout at odd client sizes: the exact rectangles, halves that
// truncate toward zero, areas smaller than the margins, a huge area; and a
// program without a Globe.

#include "app/main_window.h"
#include "app/resource.h"
#include "render/map_buffer.h"
#include "tests/app/app_harness.h"

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
                painted.expected = ExpectedPaint(Erased(image.width, image.height), LayoutOf(image.width, image.height),
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
    bool painted = false;
    auto const run = RunWinMain(WinMain, {
        Do([] { EXPECT_TRUE(ResizeClient(MainWindow(), 0, 0)); }),
        WaitUntil([] { return g_dissectCount >= 101; }),
        Do([] { EXPECT_TRUE(ResizeClient(MainWindow(), 300, 200)); }),
        Do([&] { painted = NonWhitePixels(ClientSurface(MainWindow()), 0, 0, 300, 200) > 0; }),
        Do([] { ChooseMenuItem(MainWindow(), CMD_EXIT); }),
    });
    EXPECT_TRUE(run.finished);
    EXPECT_TRUE(painted);
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
    Layout const layout = LayoutOf(image.width, image.height);
    EXPECT_EQ(NonWhitePixels(image, 0, 25, image.width, image.height), 0);
    // The erased window with the status line alone: with no buffer, the
    // map-only paint draws just that.
    EXPECT_EQ(g_mapDC, nullptr);
    EXPECT_EQ(CountDifferences(image, ExpectedPaint(Erased(image.width, image.height), layout, count, true)), 0u);
}
