// The menu bar built from a menu template: its items, how choosing one
// posts WM_COMMAND, and its mnemonics.

#include "test_resources.h"
#include "user_test_support.h"

#include <QApplication>
#include <QMenuBar>
#include <QTest>

using namespace user_test;
namespace wt = winapi::testing;

namespace {

class MenuTest : public UserTest {
protected:
    void SetUp() override
    {
        UserTest::SetUp();
        InstallTestResources();
        RegisterTestClass(CS_HREDRAW | CS_VREDRAW, MAKEINTRESOURCE(MenuId));
        m_window = CreateWindowExA(0, TestClassName, "Menu", WS_OVERLAPPEDWINDOW, 0, 0, 400, 300, nullptr, nullptr,
            nullptr, nullptr);
        ShowWindow(m_window, SW_SHOWNORMAL);
        UpdateWindow(m_window);
        wt::PumpUntilIdle();
        g_messages.clear();
    }

    std::vector<WPARAM> QueuedCommands()
    {
        std::vector<WPARAM> commands;
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_COMMAND) {
                EXPECT_EQ(msg.hwnd, m_window);
                EXPECT_EQ(msg.lParam, 0);
                commands.push_back(msg.wParam);
            }
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        return commands;
    }

    HWND m_window = nullptr;
};

TEST_F(MenuTest, TheBarShowsTheTemplateWithCaptionsAndNoShortcuts)
{
    auto const bar = wt::MenuBarItems(m_window);
    ASSERT_EQ(bar.size(), 3u);
    EXPECT_EQ(bar[0].text, "&File");
    EXPECT_EQ(bar[1].text, "&Globe");
    EXPECT_EQ(bar[2].text, "&Help");
    for (auto const& popup : bar)
        EXPECT_TRUE(popup.popup);

    ASSERT_EQ(bar[0].items.size(), 1u);
    EXPECT_EQ(bar[0].items[0].text, "E&xit");
    EXPECT_EQ(bar[0].items[0].id, CommandExit);

    auto const& globe = bar[1].items; // the separator is not an item
    ASSERT_EQ(globe.size(), 3u);
    EXPECT_EQ(globe[0].text, "&Render\tCtrl-R");
    EXPECT_EQ(globe[0].id, CommandRender);
    EXPECT_TRUE(globe[0].enabled);
    EXPECT_EQ(globe[1].text, "Grayed");
    EXPECT_FALSE(globe[1].enabled);
    EXPECT_TRUE(globe[2].popup);
    ASSERT_EQ(globe[2].items.size(), 1u);
    EXPECT_EQ(globe[2].items[0].id, CommandDeep);

    std::function<void(std::vector<wt::MenuItemInfo> const&)> noShortcuts = [&](auto const& items) {
        for (auto const& item : items) {
            EXPECT_FALSE(item.hasShortcut) << item.text;
            noShortcuts(item.items);
        }
    };
    noShortcuts(bar);
}

TEST_F(MenuTest, ChoosingAnItemPostsItsCommand)
{
    ASSERT_TRUE(wt::ChooseMenuItem(m_window, CommandRender));
    EXPECT_EQ(Count(WM_COMMAND), 0u); // posted, not sent
    EXPECT_EQ(QueuedCommands(), std::vector<WPARAM> { MAKEWPARAM(CommandRender, 0) });
    EXPECT_EQ(Count(WM_COMMAND), 1u);

    ASSERT_TRUE(wt::ChooseMenuItem(m_window, CommandDeep));
    EXPECT_EQ(QueuedCommands(), std::vector<WPARAM> { MAKEWPARAM(CommandDeep, 0) });
}

TEST_F(MenuTest, GrayedMissingAndDisabledChoicesDoNothing)
{
    EXPECT_FALSE(wt::ChooseMenuItem(m_window, CommandGrayed));
    EXPECT_FALSE(wt::ChooseMenuItem(m_window, 9999));
    EnableWindow(m_window, FALSE);
    EXPECT_FALSE(wt::ChooseMenuItem(m_window, CommandRender));
    EXPECT_FALSE(wt::PressKey(m_window, 'F', wt::Alt));
    EnableWindow(m_window, TRUE);
    EXPECT_TRUE(QueuedCommands().empty());
}

TEST_F(MenuTest, AltAndAMnemonicOpenAPopupWhoseItemsHaveMnemonicsToo)
{
    ASSERT_TRUE(wt::PressKey(m_window, 'F', wt::Alt));
    EXPECT_EQ(wt::OpenMenuTitle(), "&File");
    ASSERT_TRUE(wt::PressKey(m_window, 'X'));
    EXPECT_EQ(wt::OpenMenuTitle(), "");
    EXPECT_EQ(QueuedCommands(), std::vector<WPARAM> { MAKEWPARAM(CommandExit, 0) });

    ASSERT_TRUE(wt::PressKey(m_window, 'G', wt::Alt));
    EXPECT_EQ(wt::OpenMenuTitle(), "&Globe");
    ASSERT_TRUE(wt::PressKey(m_window, 'R'));
    EXPECT_EQ(QueuedCommands(), std::vector<WPARAM> { MAKEWPARAM(CommandRender, 0) });

    ASSERT_TRUE(wt::PressKey(m_window, 'H', wt::Alt));
    ASSERT_TRUE(wt::PressKey(m_window, VK_ESCAPE));
    EXPECT_EQ(wt::OpenMenuTitle(), "");
    EXPECT_TRUE(QueuedCommands().empty());
}

TEST_F(MenuTest, TheMenuBarOfADisabledWindowTakesNoClicks)
{
    QMenuBar* bar = nullptr;
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (widget->windowTitle() == QStringLiteral("Menu"))
            bar = widget->findChild<QMenuBar*>();
    }
    ASSERT_NE(bar, nullptr);
    QPoint const file = bar->actionGeometry(bar->actions().at(0)).center();

    EnableWindow(m_window, FALSE);
    QTest::mouseClick(bar, Qt::LeftButton, Qt::NoModifier, file);
    EXPECT_EQ(wt::OpenMenuTitle(), "");
    EXPECT_TRUE(bar->isEnabled()); // it looks as usual meanwhile

    EnableWindow(m_window, TRUE);
    QTest::mouseClick(bar, Qt::LeftButton, Qt::NoModifier, file);
    EXPECT_EQ(wt::OpenMenuTitle(), "&File");
    ASSERT_TRUE(wt::PressKey(m_window, VK_ESCAPE));
}

TEST_F(MenuTest, TheCaptionsKeyIsNotAShortcut)
{
    ASSERT_TRUE(wt::PressKey(m_window, 'R', wt::Control));
    EXPECT_TRUE(QueuedCommands().empty());
    EXPECT_EQ(Count(WM_KEYDOWN), 2u); // Ctrl and R reach the window
}

TEST_F(MenuTest, TheClientAreaLiesBelowTheMenuBar)
{
    RECT client;
    GetClientRect(m_window, &client);
    EXPECT_EQ(client.right, 400);
    EXPECT_GT(client.bottom, 200);
    EXPECT_LT(client.bottom, 300);
    auto const surface = wt::ClientSurface(m_window);
    EXPECT_EQ(surface.width, client.right);
    EXPECT_EQ(surface.height, client.bottom);
}

}
