// The About box: built from its template, modal to the main window, ended
// by its button, Enter, Escape and its close box, while the timer goes on
// and the accelerators rest.

#include "app/main_window.h"
#include "app/resource.h"
#include "tests/app/app_harness.h"

#include <algorithm>

using namespace app_test;
using winapi::testing::ActiveModalDialog;
using winapi::testing::ChooseMenuItem;
using winapi::testing::ClickCloseBox;
using winapi::testing::ClickDialogButton;
using winapi::testing::DialogControls;
using winapi::testing::PressKey;

namespace {

enum class Ending { Button, Enter, Escape, CloseBox };

struct AboutCase {
    Ending ending;
    WPARAM expected;
    char const* name;
};

void End(HWND dialog, Ending ending)
{
    switch (ending) {
    case Ending::Button:
        ClickDialogButton(dialog, IDOK);
        break;
    case Ending::Enter:
        PressKey(dialog, VK_RETURN);
        break;
    case Ending::Escape:
        PressKey(dialog, VK_ESCAPE);
        break;
    case Ending::CloseBox:
        ClickCloseBox(dialog);
        break;
    }
}

}

class AboutBoxTest : public AppTest, public testing::WithParamInterface<AboutCase> { };

TEST_P(AboutBoxTest, EndsWithItsCommandWhileTheTimerRuns)
{
    HWND dialog = nullptr;
    int countAtOpen = 0;
    int countBeforeEnd = 0;
    bool ownerEnabled = true;
    auto const run = RunWinMain(WinMain, {
        Do([] { ChooseMenuItem(MainWindow(), CMD_ABOUT); }),
        Do([&] {
            dialog = ActiveModalDialog();
            countAtOpen = g_dissectCount;
            ownerEnabled = IsWindowEnabled(MainWindow());
        }),
        // Batches go on behind the box.
        WaitUntil([&] { return g_dissectCount >= countAtOpen + 100; }),
        Do([&] {
            countBeforeEnd = g_dissectCount;
            End(ActiveModalDialog(), GetParam().ending);
        }),
        Do([&] {
            EXPECT_EQ(ActiveModalDialog(), nullptr);
            EXPECT_TRUE(IsWindowEnabled(MainWindow()));
            ChooseMenuItem(MainWindow(), CMD_EXIT);
        }),
    });
    EXPECT_TRUE(run.finished);
    EXPECT_EQ(run.exitCode, 0);
    ASSERT_NE(dialog, nullptr);
    EXPECT_FALSE(ownerEnabled);
    EXPECT_GE(countBeforeEnd, countAtOpen + 100);

    // WM_INITDIALOG first, then the ending command, which ends the box.
    auto const& log = DialogLog();
    ASSERT_FALSE(log.empty());
    EXPECT_EQ(log.front().message, static_cast<UINT>(WM_INITDIALOG));
    EXPECT_EQ(log.front().hwnd, dialog);
    std::vector<WPARAM> commands;
    for (auto const& message : log) {
        if (message.message == WM_COMMAND)
            commands.push_back(LOWORD(message.wParam));
    }
    EXPECT_EQ(commands, std::vector<WPARAM> { GetParam().expected });
}

INSTANTIATE_TEST_SUITE_P(App, AboutBoxTest,
    testing::Values(AboutCase { Ending::Button, IDOK, "OkButton" }, AboutCase { Ending::Enter, IDOK, "Enter" },
        AboutCase { Ending::Escape, IDCANCEL, "Escape" }, AboutCase { Ending::CloseBox, IDCANCEL, "CloseBox" }),
    [](testing::TestParamInfo<AboutCase> const& info) { return std::string(info.param.name); });

TEST_F(AppTest, AboutBoxIsBuiltFromItsTemplate)
{
    std::string caption;
    std::vector<winapi::testing::ControlInfo> controls;
    auto const run = RunWinMain(WinMain, {
        Do([] { PressKey(MainWindow(), VK_OEM_2, winapi::testing::Alt); }),
        Do([&] {
            HWND dialog = ActiveModalDialog();
            ASSERT_NE(dialog, nullptr);
            caption = WindowText(dialog);
            controls = DialogControls(dialog);
            PressKey(dialog, VK_ESCAPE);
        }),
        Do([] { ChooseMenuItem(MainWindow(), CMD_EXIT); }),
    });
    EXPECT_TRUE(run.finished);
    EXPECT_EQ(caption, "About");
    ASSERT_EQ(controls.size(), 4u);
    EXPECT_EQ(controls[0].id, 2);
    EXPECT_EQ(controls[0].className, "Static");
    EXPECT_EQ(controls[0].style, 0x50000003u);
    EXPECT_GT(controls[0].imageWidth, 0);
    EXPECT_EQ(controls[1].text, "Morva Version 1.0");
    EXPECT_EQ(controls[1].style, 0x50020080u);
    EXPECT_EQ(controls[2].style, 0x50020000u);
    EXPECT_EQ(controls[3].id, IDOK);
    EXPECT_EQ(controls[3].className, "Button");
    EXPECT_EQ(controls[3].text, "OK");
    EXPECT_TRUE(controls[3].isDefault);
    // TRUE from WM_INITDIALOG: the focus is on the first tab stop, OK.
    EXPECT_TRUE(controls[3].focused);
    // Placed as the template says: the texts below each other, the button
    // to their right, the icon to their left.
    EXPECT_LT(controls[0].rect.right, controls[1].rect.left);
    EXPECT_EQ(controls[1].rect.left, controls[2].rect.left);
    EXPECT_LT(controls[1].rect.top, controls[2].rect.top);
    EXPECT_GT(controls[3].rect.left, controls[1].rect.left);
    EXPECT_LT(controls[3].rect.top, controls[1].rect.top);
}

TEST_F(AppTest, AcceleratorsAndTheMenuRestWhileTheBoxIsOpen)
{
    bool keyToOwner = true;
    bool menuToOwner = true;
    bool onlyMapAfter = true;
    bool autoDrawAfter = false;
    std::size_t commandsBefore = 0;
    std::size_t commandsAfter = 0;
    auto const run = RunWinMain(WinMain, {
        Do([] { ChooseMenuItem(MainWindow(), CMD_ABOUT); }),
        Do([&] {
            HWND dialog = ActiveModalDialog();
            ASSERT_NE(dialog, nullptr);
            commandsBefore = CountLogged(WindowLog(), WM_COMMAND);
            // The disabled owner takes no keys and no menu choices; keys in
            // the box are not translated by the program's table.
            keyToOwner = PressKey(MainWindow(), 'O', winapi::testing::Control);
            menuToOwner = ChooseMenuItem(MainWindow(), CMD_ONLY_MAP);
            PressKey(dialog, 'O', winapi::testing::Control);
            PressKey(dialog, 'W', winapi::testing::Control);
            PressKey(dialog, VK_OEM_2, winapi::testing::Alt);
        }),
        IdleMoments(3),
        Do([&] {
            onlyMapAfter = g_onlyMap;
            autoDrawAfter = g_autoDraw;
            commandsAfter = CountLogged(WindowLog(), WM_COMMAND);
            PressKey(ActiveModalDialog(), VK_ESCAPE);
        }),
        Do([] { ChooseMenuItem(MainWindow(), CMD_EXIT); }),
    });
    EXPECT_TRUE(run.finished);
    EXPECT_FALSE(keyToOwner);
    EXPECT_FALSE(menuToOwner);
    EXPECT_FALSE(onlyMapAfter);
    EXPECT_TRUE(autoDrawAfter);
    EXPECT_EQ(commandsAfter, commandsBefore);
}

TEST(AboutDialogProc, AnswersAsTheDialogManagerExpects)
{
    // Only WM_INITDIALOG and the two ending commands are handled; these
    // calls end no dialog, since none of them is IDOK or IDCANCEL.
    EXPECT_EQ(AboutDialogProc(nullptr, WM_INITDIALOG, 0, 0), TRUE);
    EXPECT_EQ(AboutDialogProc(nullptr, WM_COMMAND, MAKEWPARAM(3, 0), 0), FALSE);
    EXPECT_EQ(AboutDialogProc(nullptr, WM_COMMAND, MAKEWPARAM(CMD_ABOUT, 0), 0), FALSE);
    EXPECT_EQ(AboutDialogProc(nullptr, WM_PAINT, 0, 0), FALSE);
    EXPECT_EQ(AboutDialogProc(nullptr, WM_CLOSE, 0, 0), FALSE);
}
