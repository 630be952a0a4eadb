// The six commands, from the menu and from the accelerator keys, and what
// each does to the state and the window; the toggles and the map-only
// layout.

#include "app/main_window.h"
#include "app/resource.h"
#include "render/map_buffer.h"
#include "tests/app/app_harness.h"
#include "tests/app/hand_worked_layouts.h"

#include <cctype>

using namespace app_test;
using winapi::testing::ActiveModalDialog;
using winapi::testing::ChooseMenuItem;
using winapi::testing::ClientSurface;
using winapi::testing::PressKey;

namespace {

constexpr unsigned CONTROL = winapi::testing::Control;
constexpr unsigned ALT = winapi::testing::Alt;
constexpr unsigned SHIFT = winapi::testing::Shift;

struct Command {
    WORD id;
    int key;
    unsigned modifiers;
    char const* name;
};

// Every accelerator, with the key that types it on a US keyboard.
Command const ACCELERATORS[] = {
    { CMD_ABOUT, VK_OEM_2, ALT, "Alt+/" },
    { CMD_ABOUT, VK_OEM_2, ALT | SHIFT, "Alt+?" },
    { CMD_TOGGLE_AUTO_DISSECT, 'D', CONTROL, "Ctrl+D" },
    { CMD_ONLY_MAP, 'O', CONTROL, "Ctrl+O" },
    { CMD_RENDER, 'R', CONTROL, "Ctrl+R" },
    { CMD_TOGGLE_AUTO_DRAW, 'W', CONTROL, "Ctrl+W" },
};

struct Snapshot {
    int count;
    bool autoDissect;
    bool autoDraw;
    bool onlyMap;
    bool buffer;
    bool dialog;
};

Snapshot Take()
{
    return { g_dissectCount, g_autoDissect, g_autoDraw, g_onlyMap, g_mapDC != nullptr, ActiveModalDialog() != nullptr };
}

// Checks the effect of one command given the state before and after it.
void ExpectEffect(WORD id, Snapshot const& before, Snapshot const& after)
{
    EXPECT_EQ(after.count, before.count) << "no command dissects";
    EXPECT_EQ(after.autoDissect, id == CMD_TOGGLE_AUTO_DISSECT ? !before.autoDissect : before.autoDissect);
    EXPECT_EQ(after.autoDraw, id == CMD_TOGGLE_AUTO_DRAW ? !before.autoDraw : before.autoDraw);
    EXPECT_EQ(after.onlyMap, id == CMD_ONLY_MAP ? !before.onlyMap : before.onlyMap);
    EXPECT_EQ(after.buffer, id == CMD_RENDER || before.buffer);
    EXPECT_EQ(after.dialog, id == CMD_ABOUT);
}

bool IsKeyMessage(UINT message)
{
    return message >= WM_KEYFIRST && message <= WM_KEYLAST;
}

}

class AcceleratorTest : public AppTest, public testing::WithParamInterface<Command> { };

TEST_P(AcceleratorTest, SendsItsCommandAndSwallowsTheKey)
{
    Command const command = GetParam();
    Snapshot before {};
    Snapshot after {};
    std::size_t logStart = 0;
    auto const run = RunWinMain(WinMain, {
        Do([&] {
            before = Take();
            logStart = WindowLog().size();
            EXPECT_TRUE(PressKey(MainWindow(), command.key, command.modifiers));
        }),
        Do([&] {
            after = Take();
            if (HWND dialog = ActiveModalDialog())
                PressKey(dialog, VK_ESCAPE);
        }),
        Do([] { ChooseMenuItem(MainWindow(), CMD_EXIT); }),
    });
    EXPECT_TRUE(run.finished);
    EXPECT_EQ(run.exitCode, 0);
    ExpectEffect(command.id, before, after);

    std::vector<LoggedMessage> const log(WindowLog().begin() + static_cast<std::ptrdiff_t>(logStart), WindowLog().end());
    // The command, marked as coming from an accelerator.
    EXPECT_TRUE(Logged(log, WM_COMMAND, MAKEWPARAM(command.id, 1)));
    // The matched key message never reached the window: neither the key
    // going down (virtual-key entries) nor its character (character
    // entries). Releases and the modifier keys themselves do arrive.
    for (auto const& message : log) {
        if (!IsKeyMessage(message.message))
            continue;
        bool const keyDown = message.message == WM_KEYDOWN || message.message == WM_SYSKEYDOWN;
        if (keyDown && command.modifiers == CONTROL) {
            EXPECT_NE(message.wParam, static_cast<WPARAM>(command.key)) << "key down reached the window";
        }
        EXPECT_NE(message.message, WM_CHAR) << "character " << message.wParam;
        EXPECT_NE(message.message, WM_SYSCHAR) << "character " << message.wParam;
    }
}

INSTANTIATE_TEST_SUITE_P(App, AcceleratorTest, testing::ValuesIn(ACCELERATORS),
    [](testing::TestParamInfo<Command> const& info) {
        std::string name;
        for (char const* p = info.param.name; *p; ++p)
            name += std::isalnum(static_cast<unsigned char>(*p)) ? *p : (*p == '/' ? 'S' : *p == '?' ? 'Q' : '_');
        return name;
    });

class MenuCommandTest : public AppTest, public testing::WithParamInterface<WORD> { };

TEST_P(MenuCommandTest, DoesWhatItsAcceleratorDoes)
{
    WORD const id = GetParam();
    Snapshot before {};
    Snapshot after {};
    auto const run = RunWinMain(WinMain, {
        Do([&] {
            before = Take();
            EXPECT_TRUE(ChooseMenuItem(MainWindow(), id));
        }),
        Do([&] {
            after = Take();
            if (HWND dialog = ActiveModalDialog())
                PressKey(dialog, VK_ESCAPE);
        }),
        Do([] { ChooseMenuItem(MainWindow(), CMD_EXIT); }),
    });
    EXPECT_TRUE(run.finished);
    ExpectEffect(id, before, after);
    EXPECT_TRUE(Logged(WindowLog(), WM_COMMAND, id));
}

INSTANTIATE_TEST_SUITE_P(App, MenuCommandTest,
    testing::Values(CMD_ABOUT, CMD_RENDER, CMD_TOGGLE_AUTO_DRAW, CMD_TOGGLE_AUTO_DISSECT, CMD_ONLY_MAP));

TEST_F(AppTest, RenderBeforeAnyBatchShowsTheMapWithoutDissecting)
{
    Image before;
    Image after;
    Image expected;
    auto const run = RunWinMain(WinMain, {
        Do([&] {
            before = ClientSurface(MainWindow());
            ChooseMenuItem(MainWindow(), CMD_RENDER);
        }),
        Do([&] {
            after = ClientSurface(MainWindow());
            EXPECT_EQ(g_dissectCount, 1);
            expected = ExpectedPaint(before, LayoutFor(after.width, after.height), 1, false);
        }),
        Do([] { ChooseMenuItem(MainWindow(), CMD_EXIT); }),
    });
    EXPECT_TRUE(run.finished);
    ASSERT_NE(g_mapDC, nullptr);
    Layout const layout = LayoutFor(after.width, after.height);
    EXPECT_GT(NonWhitePixels(after, layout.left, layout.midY, layout.right, layout.bottom), 1000);
    std::string where;
    EXPECT_EQ(CountDifferences(after, expected, &where), 0u) << where;
}

TEST_F(AppTest, WithoutAutoDrawBatchesRunButNothingIsRepainted)
{
    Image frozen;
    Image later;
    Image rendered;
    Image expected;
    int countAtRender = 0;
    auto const run = RunWinMain(WinMain, {
        WaitThen([] { return g_dissectCount >= 51; }, [] { PressKey(MainWindow(), 'W', CONTROL); }),
        Do([&] { frozen = ClientSurface(MainWindow()); }),
        WaitThen([] { return g_dissectCount >= 251; },
            [&] {
                later = ClientSurface(MainWindow());
                countAtRender = g_dissectCount;
                PressKey(MainWindow(), 'R', CONTROL);
            }),
        Do([&] {
            rendered = ClientSurface(MainWindow());
            EXPECT_EQ(g_dissectCount, countAtRender);
            // The render shows the map and the count as they are now.
            expected = ExpectedPaint(later, LayoutFor(later.width, later.height), countAtRender, false);
        }),
        Do([] { ChooseMenuItem(MainWindow(), CMD_EXIT); }),
    });
    EXPECT_TRUE(run.finished);
    EXPECT_FALSE(g_autoDraw);
    EXPECT_EQ(countAtRender, 251);
    std::string where;
    EXPECT_EQ(CountDifferences(later, frozen, &where), 0u) << "repainted without auto draw: " << where;
    EXPECT_EQ(CountDifferences(rendered, expected, &where), 0u) << where;
    EXPECT_GT(CountDifferences(rendered, later), 0u);
}

TEST_F(AppTest, WithoutAutoDissectTimerMessagesChangeNothing)
{
    Image frozen;
    Image later;
    int count = 0;
    int resumed = 0;
    std::size_t timersBefore = 0;
    std::size_t timersAfter = 0;
    auto const run = RunWinMain(WinMain, {
        WaitThen([] { return g_dissectCount >= 101; },
            [&] {
                PressKey(MainWindow(), 'D', CONTROL);
                count = g_dissectCount;
            }),
        Do([&] {
            frozen = ClientSurface(MainWindow());
            timersBefore = CountLogged(WindowLog(), WM_TIMER);
        }),
        IdleMoments(20),
        Do([&] {
            later = ClientSurface(MainWindow());
            timersAfter = CountLogged(WindowLog(), WM_TIMER);
            EXPECT_EQ(g_dissectCount, count);
            ChooseMenuItem(MainWindow(), CMD_TOGGLE_AUTO_DISSECT);
        }),
        WaitUntil([&] {
            resumed = g_dissectCount;
            return g_dissectCount > count;
        }),
        Do([] { ChooseMenuItem(MainWindow(), CMD_EXIT); }),
    });
    EXPECT_TRUE(run.finished);
    EXPECT_TRUE(g_autoDraw);
    EXPECT_GE(timersAfter, timersBefore + 15);
    EXPECT_EQ(CountDifferences(later, frozen), 0u);
    EXPECT_EQ(resumed, count + 50);
}

TEST_F(AppTest, OnlyMapErasesAndPaintsTheNewLayout)
{
    Image mapOnlyBeforeRender;
    Image bothViews;
    Image mapOnly;
    Image expectedMapOnlyBeforeRender;
    Image expectedBothViews;
    Image expectedMapOnly;
    auto const expect = [](Image const& actual, bool onlyMap) {
        return ExpectedPaint(Erased(actual.width, actual.height), LayoutFor(actual.width, actual.height), 1, onlyMap);
    };
    auto const run = RunWinMain(WinMain, {
        // No batches in this test. Before any render, the erase leaves only
        // the status line.
        Do([] {
            ChooseMenuItem(MainWindow(), CMD_TOGGLE_AUTO_DISSECT);
            PressKey(MainWindow(), 'O', CONTROL);
        }),
        Do([&] {
            mapOnlyBeforeRender = ClientSurface(MainWindow());
            expectedMapOnlyBeforeRender = expect(mapOnlyBeforeRender, true);
            PressKey(MainWindow(), 'O', CONTROL);
        }),
        // Back to both views, erased first: nothing of the other picture is
        // left, and the map area is still empty.
        Do([&] {
            bothViews = ClientSurface(MainWindow());
            expectedBothViews = expect(bothViews, false);
            ChooseMenuItem(MainWindow(), CMD_RENDER);
        }),
        Do([] { PressKey(MainWindow(), 'O', CONTROL); }),
        // The rendered map over the whole area, on an erased window.
        Do([&] {
            mapOnly = ClientSurface(MainWindow());
            expectedMapOnly = expect(mapOnly, true);
        }),
        Do([] { ChooseMenuItem(MainWindow(), CMD_EXIT); }),
    });
    EXPECT_TRUE(run.finished);
    EXPECT_EQ(g_dissectCount, 1);
    int const width = bothViews.width;
    int const height = bothViews.height;
    Layout const layout = LayoutFor(width, height);
    std::string where;
    EXPECT_EQ(CountDifferences(mapOnlyBeforeRender, expectedMapOnlyBeforeRender, &where), 0u) << where;
    EXPECT_EQ(NonWhitePixels(mapOnlyBeforeRender, 0, 25, width, height), 0);
    EXPECT_EQ(CountDifferences(bothViews, expectedBothViews, &where), 0u) << where;
    EXPECT_EQ(NonWhitePixels(bothViews, layout.left, layout.midY, layout.right, layout.bottom), 0);
    EXPECT_EQ(CountDifferences(mapOnly, expectedMapOnly, &where), 0u) << where;
    EXPECT_GT(NonWhitePixels(mapOnly, layout.left, layout.top, layout.right, layout.midY), 1000);
}

TEST_F(AppTest, UnknownCommandsChangeNothingAndHighWordsAreIgnored)
{
    Snapshot before {};
    Snapshot afterUnknown {};
    Snapshot afterToggle {};
    LRESULT unknown = -1;
    LRESULT toggle = -1;
    auto const run = RunWinMain(WinMain, {
        Do([&] {
            before = Take();
            unknown = SendMessageA(MainWindow(), WM_COMMAND, MAKEWPARAM(32771, 0), 0);
            afterUnknown = Take();
            toggle = SendMessageA(MainWindow(), WM_COMMAND, MAKEWPARAM(CMD_TOGGLE_AUTO_DRAW, 7), 0x1234);
            afterToggle = Take();
        }),
        Do([] { ChooseMenuItem(MainWindow(), CMD_EXIT); }),
    });
    EXPECT_TRUE(run.finished);
    EXPECT_EQ(unknown, 0);
    EXPECT_EQ(toggle, 0);
    ExpectEffect(0, before, afterUnknown);
    ExpectEffect(CMD_TOGGLE_AUTO_DRAW, before, afterToggle);
}
