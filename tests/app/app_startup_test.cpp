// Start-up and the timer batches of the real program: the first paint, the
// first map, the end of the growth, and the ways the program ends.

#include "app/main_window.h"
#include "app/resource.h"
#include "render/map_buffer.h"
#include "tests/app/app_harness.h"
#include "tests/app/hand_worked_layouts.h"
#include "winapi/resources/module_resources.h"

#include <set>

using namespace app_test;
using winapi::testing::ClickCloseBox;
using winapi::testing::ChooseMenuItem;
using winapi::testing::ClientSurface;
using winapi::testing::PressKey;

TEST_F(AppTest, StartUpSetsTheStateAndShowsTheWindow)
{
    bool checked = false;
    auto const run = RunWinMain(WinMain, {
        Do([&] {
            EXPECT_STREQ(g_windowTitle, "Morva");
            EXPECT_STREQ(g_windowClassName, "MORVA");
            EXPECT_EQ(g_hInstance, winapi::resources::MainModule());
            ASSERT_NE(g_globe, nullptr);
            EXPECT_EQ(g_dissectCount, 1);
            EXPECT_EQ(g_dissectLimit, 3000);
            EXPECT_FALSE(g_onlyMap);
            EXPECT_TRUE(g_autoDissect);
            EXPECT_TRUE(g_autoDraw);
            // One pass has been applied: the grid is no longer a sphere.
            EXPECT_GT(g_globe->GetMaxRadius(), g_globe->GetMeanRadius());
            HWND hwnd = MainWindow();
            ASSERT_NE(hwnd, nullptr);
            EXPECT_TRUE(IsWindowVisible(hwnd));
            checked = true;
        }),
        Do([] { ChooseMenuItem(MainWindow(), CMD_EXIT); }),
    });
    EXPECT_TRUE(checked);
    EXPECT_TRUE(run.finished);
    EXPECT_EQ(run.exitCode, 0);
}

TEST_F(AppTest, TheMenuBarIsTheMenuTemplateWithoutShortcuts)
{
    std::vector<winapi::testing::MenuItemInfo> menu;
    auto const run = RunWinMain(WinMain, {
        Do([&] { menu = winapi::testing::MenuBarItems(MainWindow()); }),
        Do([] { ChooseMenuItem(MainWindow(), CMD_EXIT); }),
    });
    EXPECT_TRUE(run.finished);
    ASSERT_EQ(menu.size(), 3u);
    EXPECT_EQ(menu[0].text, "&File");
    EXPECT_EQ(menu[1].text, "&Globe");
    EXPECT_EQ(menu[2].text, "&Help");
    ASSERT_EQ(menu[1].items.size(), 4u);
    EXPECT_EQ(menu[1].items[0].text, "&Render\tCtrl-R");
    EXPECT_EQ(menu[1].items[3].id, static_cast<UINT>(CMD_ONLY_MAP));
    for (auto const& popup : menu) {
        for (auto const& item : popup.items) {
            EXPECT_FALSE(item.hasShortcut) << item.text;
            EXPECT_TRUE(item.enabled) << item.text;
        }
    }
}

TEST_F(AppTest, FirstPaintShowsOnePassAndNoMap)
{
    Image first;
    Image expected;
    Image otherCount;
    int countAtFirstPaint = -1;
    bool bufferAtFirstPaint = true;
    auto const run = RunWinMain(WinMain, {
        Do([&] {
            first = ClientSurface(MainWindow());
            countAtFirstPaint = g_dissectCount;
            bufferAtFirstPaint = g_mapDC != nullptr;
            // The erased window with both views, no map, and the count 1.
            Layout const layout = LayoutFor(first.width, first.height);
            expected = ExpectedPaint(Erased(first.width, first.height), layout, 1, false);
            otherCount = ExpectedPaint(Erased(first.width, first.height), layout, 11, false);
        }),
        Do([] { ChooseMenuItem(MainWindow(), CMD_EXIT); }),
    });
    EXPECT_TRUE(run.finished);
    EXPECT_EQ(countAtFirstPaint, 1);
    EXPECT_FALSE(bufferAtFirstPaint);
    ASSERT_GT(first.width, 10);
    ASSERT_GT(first.height, 30);

    // Painted before the timer existed: exactly one WM_PAINT and no timer
    // message came before the first idle moment.
    auto const& log = WindowLog();
    std::size_t const firstTimer = static_cast<std::size_t>(std::find_if(log.begin(), log.end(),
        [](LoggedMessage const& m) { return m.message == WM_TIMER; }) - log.begin());
    std::size_t paintsBeforeTimer = 0;
    for (std::size_t i = 0; i < firstTimer && i < log.size(); ++i)
        paintsBeforeTimer += log[i].message == WM_PAINT;
    EXPECT_EQ(paintsBeforeTimer, 1u);
    // It came from UpdateWindow during creation, with both automations
    // still off.
    auto const firstPaint = std::find_if(log.begin(), log.end(), [](LoggedMessage const& m) { return m.message == WM_PAINT; });
    ASSERT_NE(firstPaint, log.end());
    EXPECT_FALSE(firstPaint->autoDissect);
    EXPECT_FALSE(firstPaint->autoDraw);
    EXPECT_EQ(firstPaint->count, 1);

    Layout const layout = LayoutFor(first.width, first.height);
    std::string where;
    EXPECT_EQ(CountDifferences(first, expected, &where), 0u) << where;
    EXPECT_EQ(NonWhitePixels(first, layout.left, layout.midY, layout.right, layout.bottom), 0);
    EXPECT_GT(NonWhitePixels(first, layout.left, layout.top, layout.midX, layout.midY), 100);
    EXPECT_GT(NonWhitePixels(first, layout.midX, layout.top, layout.right, layout.midY), 100);
    // The status line differs from the one with another count.
    EXPECT_GT(CountDifferences(first, otherCount), 0u);
}

TEST_F(AppTest, TheMapFirstAppearsAfterTheFirstBatch)
{
    Image before;
    Image at51;
    Image expected;
    int count = 0;
    auto const run = RunWinMain(WinMain, {
        Do([&] { before = ClientSurface(MainWindow()); }),
        WaitThen([] { return g_dissectCount >= 51; },
            [&] {
                count = g_dissectCount;
                at51 = ClientSurface(MainWindow());
                // The batch's repaint draws over the first picture without
                // erasing it.
                expected = ExpectedPaint(before, LayoutFor(at51.width, at51.height), 51, false);
            }),
        Do([] { ChooseMenuItem(MainWindow(), CMD_EXIT); }),
    });
    EXPECT_TRUE(run.finished);
    EXPECT_EQ(count, 51);
    ASSERT_NE(g_mapDC, nullptr);
    Layout const layout = LayoutFor(at51.width, at51.height);
    EXPECT_EQ(NonWhitePixels(before, layout.left, layout.midY, layout.right, layout.bottom), 0);
    EXPECT_GT(NonWhitePixels(at51, layout.left, layout.midY, layout.right, layout.bottom), 1000);
    std::string where;
    EXPECT_EQ(CountDifferences(at51, expected, &where), 0u) << where;
}

TEST_F(AppTest, BatchesOfFiftyStopAt3001)
{
    std::vector<int> counts;
    auto const record = [&] {
        if (counts.empty() || counts.back() != g_dissectCount)
            counts.push_back(g_dissectCount);
    };
    auto const run = RunWinMain(WinMain, {
        WaitUntil([&] {
            record();
            return g_dissectCount >= 3001;
        }),
        // Many more timer messages: nothing changes any more.
        [&, more = IdleMoments(30)] {
            record();
            return more();
        },
        Do([] { ChooseMenuItem(MainWindow(), CMD_EXIT); }),
    });
    EXPECT_TRUE(run.finished);
    ASSERT_EQ(counts.size(), 61u);
    for (std::size_t i = 0; i < counts.size(); ++i)
        EXPECT_EQ(counts[i], 1 + 50 * static_cast<int>(i));
    EXPECT_EQ(g_dissectCount, 3001);
    EXPECT_GT(CountLogged(WindowLog(), WM_TIMER), 60u + 25u);
}

TEST_F(AppTest, ABatchRunsWhileTheCountDoesNotExceedTheLimit)
{
    std::vector<int> counts;
    auto const run = RunWinMain(WinMain, {
        // Right at the limit one more batch runs (before the next idle
        // moment); past it, none.
        Do([] { g_dissectCount = 3000; }),
        [&, more = IdleMoments(10)] {
            if (counts.empty() || counts.back() != g_dissectCount)
                counts.push_back(g_dissectCount);
            return more();
        },
        // The comparison is signed: a negative count is below any limit.
        Do([] { g_dissectCount = -100; }),
        WaitUntil([] { return g_dissectCount == -50; }),
        Do([] { ChooseMenuItem(MainWindow(), CMD_EXIT); }),
    });
    EXPECT_TRUE(run.finished);
    EXPECT_EQ(counts, (std::vector<int> { 3050 }));
    EXPECT_EQ(g_dissectLimit, 3000);
}

TEST_F(AppTest, AnyTimerIdentifierRunsABatch)
{
    int before = 0;
    int after = 0;
    auto const run = RunWinMain(WinMain, {
        Do([&] {
            before = g_dissectCount;
            PostMessageA(MainWindow(), WM_TIMER, 77, 0);
        }),
        Do([&] { after = g_dissectCount; }),
        Do([] { ChooseMenuItem(MainWindow(), CMD_EXIT); }),
    });
    EXPECT_TRUE(run.finished);
    EXPECT_EQ(before, 1);
    EXPECT_EQ(after, 51);
    EXPECT_TRUE(Logged(WindowLog(), WM_TIMER, 77));
}

TEST_F(AppTest, ExitEndsTheProgramWithCodeZero)
{
    auto const run = RunWinMain(WinMain, { Do([] { ChooseMenuItem(MainWindow(), CMD_EXIT); }) });
    EXPECT_TRUE(run.finished);
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(CountLogged(WindowLog(), WM_DESTROY), 1u);
    EXPECT_TRUE(Logged(WindowLog(), WM_COMMAND, CMD_EXIT));
    EXPECT_EQ(MainWindow(), nullptr);
}

TEST_F(AppTest, TheMenuByKeyboardEndsTheProgram)
{
    auto const run = RunWinMain(WinMain, {
        Do([] { PressKey(MainWindow(), 'F', winapi::testing::Alt); }),
        Do([] { PressKey(MainWindow(), 'X'); }),
    });
    EXPECT_TRUE(run.finished);
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_TRUE(Logged(WindowLog(), WM_COMMAND, CMD_EXIT));
}

TEST_F(AppTest, TheCloseBoxEndsTheProgramWithCodeZero)
{
    auto const run = RunWinMain(WinMain, {
        WaitUntil([] { return g_dissectCount >= 101; }),
        Do([] { ClickCloseBox(MainWindow()); }),
    });
    EXPECT_TRUE(run.finished);
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_TRUE(Logged(WindowLog(), WM_CLOSE, 0));
    EXPECT_EQ(CountLogged(WindowLog(), WM_DESTROY), 1u);
}
