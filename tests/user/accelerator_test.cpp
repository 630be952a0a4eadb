// Accelerator tables, matched as Win32 matches them.

#include "test_resources.h"
#include "user_test_support.h"

#include "winapi/resources/module_resources.h"
#include "winapi/user/accelerator_match.h"
#include "winapi/user/key_state.h"

using namespace user_test;
namespace wt = winapi::testing;
using winapi::resources::AcceleratorEntry;
using winapi::user::MatchAccelerator;
using winapi::user::ModifierKeys;

namespace {

// The program's table: Alt+/ and Alt+? (characters), Ctrl+D, O, R, W.
std::vector<AcceleratorEntry> const ProgramTable {
    { 0x12, '/', 104, 0 },
    { 0x12, '?', 104, 0 },
    { 0x0B, 'D', 32774, 0 },
    { 0x0B, 'O', 32775, 0 },
    { 0x0B, 'R', 32772, 0 },
    { 0x8B, 'W', 32773, 0 },
};

MSG Message(UINT message, WPARAM key, LPARAM lParam = 1)
{
    MSG msg {};
    msg.message = message;
    msg.wParam = key;
    msg.lParam = lParam;
    return msg;
}

constexpr LPARAM AltContext = 1 | (1 << 29);

TEST(AcceleratorMatch, VirtualKeyEntriesNeedExactlyTheirModifiers)
{
    for (int combination = 0; combination < 8; ++combination) {
        ModifierKeys const held { (combination & 1) != 0, (combination & 2) != 0, (combination & 4) != 0 };
        bool const onlyControl = held.control && !held.shift && !held.alt;
        for (WPARAM const key : { WPARAM('D'), WPARAM('O'), WPARAM('R'), WPARAM('W') }) {
            UINT const message = held.alt && !held.control ? WM_SYSKEYDOWN : WM_KEYDOWN;
            auto const command = MatchAccelerator(ProgramTable, Message(message, key), held);
            EXPECT_EQ(command.has_value(), onlyControl) << "key " << key << " combination " << combination;
        }
    }
    EXPECT_EQ(MatchAccelerator(ProgramTable, Message(WM_KEYDOWN, 'R'), { false, true, false }), 32772);
    EXPECT_EQ(MatchAccelerator(ProgramTable, Message(WM_KEYDOWN, 'W'), { false, true, false }), 32773);
}

TEST(AcceleratorMatch, CharacterEntriesFollowAltOnlyAndMatchCharacterMessages)
{
    // Alt+/ : WM_SYSKEYDOWN of VK_OEM_2 matches nothing, its WM_SYSCHAR does.
    EXPECT_FALSE(MatchAccelerator(ProgramTable, Message(WM_SYSKEYDOWN, VK_OEM_2, AltContext), { false, false, true }));
    EXPECT_EQ(MatchAccelerator(ProgramTable, Message(WM_SYSCHAR, '/', AltContext), { false, false, true }), 104);
    // Alt+? is Alt+Shift+/: Shift does not matter for a character.
    EXPECT_EQ(MatchAccelerator(ProgramTable, Message(WM_SYSCHAR, '?', AltContext), { true, false, true }), 104);
    // Without Alt the characters are just characters.
    EXPECT_FALSE(MatchAccelerator(ProgramTable, Message(WM_CHAR, '/'), { false, false, false }));
    EXPECT_FALSE(MatchAccelerator(ProgramTable, Message(WM_CHAR, '?'), { true, false, false }));
    // Ctrl does not stop a character entry either.
    EXPECT_EQ(MatchAccelerator(ProgramTable, Message(WM_CHAR, '/'), { false, true, true }), 104);
}

TEST(AcceleratorMatch, KeyReleasesAndOtherMessagesNeverMatch)
{
    for (UINT message : { WM_KEYUP, WM_SYSKEYUP, WM_COMMAND, WM_TIMER, WM_DEADCHAR })
        EXPECT_FALSE(MatchAccelerator(ProgramTable, Message(message, 'R'), { false, true, false }));
    // A character entry is not a virtual key: Ctrl+/ as a key press is no match.
    EXPECT_FALSE(MatchAccelerator(ProgramTable, Message(WM_KEYDOWN, '/'), { false, true, false }));
}

TEST(AcceleratorMatch, AnAltCharacterEntryAlsoMatchesAnAltKeyPressOfThatCode)
{
    std::vector<AcceleratorEntry> const table { { 0x10, 'K', 7, 0 } };
    EXPECT_EQ(MatchAccelerator(table, Message(WM_SYSKEYDOWN, 'K', AltContext), { false, false, true }), 7);
    EXPECT_FALSE(MatchAccelerator(table, Message(WM_SYSKEYDOWN, 'K', AltContext | (1 << 24)), { false, false, true }));
    EXPECT_FALSE(MatchAccelerator(table, Message(WM_KEYDOWN, 'K'), { false, false, false }));
}

TEST(AcceleratorMatch, TheFirstMatchingEntryWins)
{
    std::vector<AcceleratorEntry> const table { { 0x09, 'A', 1, 0 }, { 0x09, 'A', 2, 0 } };
    EXPECT_EQ(MatchAccelerator(table, Message(WM_KEYDOWN, 'A'), { false, true, false }), 1);
}

class TranslateAcceleratorTest : public UserTest {
protected:
    void SetUp() override
    {
        UserTest::SetUp();
        InstallTestResources();
        m_window = CreateShownWindow();
        m_table = LoadAcceleratorsA(nullptr, MAKEINTRESOURCE(ProgramAccelerators));
        ASSERT_NE(m_table, nullptr);
        wt::PumpUntilIdle();
        g_messages.clear();
    }

    // The program's loop: accelerators first, and only what they leave is
    // translated and dispatched.
    void RunLoop(HACCEL table)
    {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (!TranslateAcceleratorA(msg.hwnd, table, &msg)) {
                TranslateMessage(&msg);
                DispatchMessageA(&msg);
            }
        }
    }

    std::vector<WPARAM> Commands() const
    {
        std::vector<WPARAM> commands;
        for (auto const& logged : g_messages) {
            if (logged.message == WM_COMMAND) {
                EXPECT_EQ(logged.lParam, 0);
                commands.push_back(logged.wParam);
            }
        }
        return commands;
    }

    bool SawKey(UINT message, WPARAM key) const
    {
        return std::any_of(g_messages.begin(), g_messages.end(),
            [&](auto const& logged) { return logged.message == message && logged.wParam == key; });
    }

    HWND m_window = nullptr;
    HACCEL m_table = nullptr;
};

TEST_F(TranslateAcceleratorTest, ControlKeysSendTheirCommandsAndTheKeyGoesNoFurther)
{
    struct Case {
        int key;
        WORD command;
    };
    for (auto const c : { Case { 'R', CommandRender }, Case { 'W', CommandAutoDraw }, Case { 'D', CommandAutoDissect },
             Case { 'O', CommandOnlyMap } }) {
        g_messages.clear();
        ASSERT_TRUE(wt::PressKey(m_window, c.key, wt::Control));
        RunLoop(m_table);
        EXPECT_EQ(Commands(), std::vector<WPARAM> { MAKEWPARAM(c.command, 1) });
        EXPECT_FALSE(SawKey(WM_KEYDOWN, static_cast<WPARAM>(c.key)));
        EXPECT_EQ(Count(WM_CHAR), 0u);
        EXPECT_TRUE(SawKey(WM_KEYUP, static_cast<WPARAM>(c.key))); // releases are not translated
    }
}

TEST_F(TranslateAcceleratorTest, AltSlashAndAltQuestionMarkBothOpenAbout)
{
    for (unsigned const modifiers : { unsigned(wt::Alt), unsigned(wt::Alt | wt::Shift) }) {
        g_messages.clear();
        ASSERT_TRUE(wt::PressKey(m_window, VK_OEM_2, modifiers));
        RunLoop(m_table);
        EXPECT_EQ(Commands(), std::vector<WPARAM> { MAKEWPARAM(CommandAbout, 1) });
        EXPECT_EQ(Count(WM_SYSCHAR), 0u);
    }
}

TEST_F(TranslateAcceleratorTest, WrongModifiersLeaveTheKeyToTheWindow)
{
    for (unsigned const modifiers : { unsigned(wt::NoModifier), unsigned(wt::Control | wt::Shift),
             unsigned(wt::Control | wt::Alt), unsigned(wt::Alt), unsigned(wt::Shift) }) {
        g_messages.clear();
        ASSERT_TRUE(wt::PressKey(m_window, 'R', modifiers));
        RunLoop(m_table);
        EXPECT_TRUE(Commands().empty()) << modifiers;
        EXPECT_TRUE(SawKey(modifiers & wt::Alt && !(modifiers & wt::Control) ? WM_SYSKEYDOWN : WM_KEYDOWN, 'R'))
            << modifiers;
    }
    g_messages.clear();
    ASSERT_TRUE(wt::PressKey(m_window, VK_OEM_2)); // "/" without Alt
    RunLoop(m_table);
    EXPECT_TRUE(Commands().empty());
    EXPECT_TRUE(SawKey(WM_CHAR, '/'));
}

TEST_F(TranslateAcceleratorTest, ShiftAndCharacterEntries)
{
    HACCEL const table = LoadAcceleratorsA(nullptr, MAKEINTRESOURCE(ShiftAccelerators));
    ASSERT_NE(table, nullptr);
    ASSERT_TRUE(wt::PressKey(m_window, VK_F5, wt::Shift));
    ASSERT_TRUE(wt::PressKey(m_window, VK_F5));
    ASSERT_TRUE(wt::PressKey(m_window, 'A', wt::Alt | wt::Shift));
    ASSERT_TRUE(wt::PressKey(m_window, 'A', wt::Alt));
    ASSERT_TRUE(wt::PressKey(m_window, '5', wt::Shift)); // "%"
    RunLoop(table);
    EXPECT_EQ(Commands(),
        (std::vector<WPARAM> { MAKEWPARAM(CommandShiftF5, 1), MAKEWPARAM(CommandAltShiftA, 1), MAKEWPARAM(CommandShiftChar, 1) }));
}

TEST_F(TranslateAcceleratorTest, ADisabledWindowUsesUpTheKeyButGetsNoCommand)
{
    MSG msg = Message(WM_KEYDOWN, 'R');
    msg.hwnd = m_window;
    winapi::user::Keys().SetDown(VK_CONTROL, true);
    EnableWindow(m_window, FALSE);
    g_messages.clear();
    EXPECT_EQ(TranslateAcceleratorA(m_window, m_table, &msg), 1);
    EXPECT_TRUE(Commands().empty());
    EnableWindow(m_window, TRUE);
    EXPECT_EQ(TranslateAcceleratorA(m_window, m_table, &msg), 1);
    EXPECT_EQ(Commands(), std::vector<WPARAM> { MAKEWPARAM(CommandRender, 1) });
    winapi::user::Keys().Reset();
}

TEST_F(TranslateAcceleratorTest, BadTablesAndWindowsTranslateNothing)
{
    MSG msg = Message(WM_KEYDOWN, 'R');
    winapi::user::Keys().SetDown(VK_CONTROL, true);
    EXPECT_EQ(TranslateAcceleratorA(m_window, nullptr, &msg), 0);
    EXPECT_EQ(TranslateAcceleratorA(m_window, reinterpret_cast<HACCEL>(&msg), &msg), 0);
    EXPECT_EQ(TranslateAcceleratorA(nullptr, m_table, &msg), 0);
    EXPECT_EQ(TranslateAcceleratorA(m_window, m_table, nullptr), 0);
    winapi::user::Keys().Reset();
    EXPECT_TRUE(Commands().empty());
}

}
