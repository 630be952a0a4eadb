// Keys from Qt become Win32 key messages; TranslateMessage adds characters;
// GetKeyState follows the messages taken from the queue.

#include "user_test_support.h"

#include "winapi/user/virtual_keys.h"

using namespace user_test;
namespace wt = winapi::testing;

namespace {

class KeyboardTest : public UserTest {
protected:
    void SetUp() override
    {
        UserTest::SetUp();
        m_window = CreateShownWindow();
        wt::PumpUntilIdle();
    }

    struct Key {
        UINT message;
        WPARAM key;
        LPARAM lParam;
        bool controlDown;
        bool altDown;
        bool shiftDown;
    };

    // Takes the queued messages one by one, as a message loop would,
    // translating key presses; returns them with the key state seen at each.
    std::vector<Key> TakeAll()
    {
        std::vector<Key> keys;
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_PAINT) {
                DispatchMessageA(&msg);
                continue;
            }
            keys.push_back({ msg.message, msg.wParam, msg.lParam, GetKeyState(VK_CONTROL) < 0, GetKeyState(VK_MENU) < 0,
                GetKeyState(VK_SHIFT) < 0 });
            TranslateMessage(&msg);
        }
        return keys;
    }

    static std::vector<std::pair<UINT, WPARAM>> Messages(std::vector<Key> const& keys)
    {
        std::vector<std::pair<UINT, WPARAM>> messages;
        for (auto const& key : keys)
            messages.emplace_back(key.message, key.key);
        return messages;
    }

    HWND m_window = nullptr;
};

using Sequence = std::vector<std::pair<UINT, WPARAM>>;

TEST_F(KeyboardTest, ControlAndALetterGiveKeyMessagesWithTheKeyStateOfTheirTime)
{
    ASSERT_TRUE(wt::PressKey(m_window, 'R', wt::Control));
    auto const keys = TakeAll();
    EXPECT_EQ(Messages(keys),
        (Sequence { { WM_KEYDOWN, VK_CONTROL }, { WM_KEYDOWN, 'R' }, { WM_CHAR, 0x12 }, { WM_KEYUP, 'R' },
            { WM_KEYUP, VK_CONTROL } }));
    ASSERT_GE(keys.size(), 2u);
    EXPECT_TRUE(keys[1].controlDown);
    EXPECT_FALSE(keys[1].altDown);
    EXPECT_EQ(keys[1].lParam & 0xFFFF, 1);        // repeat count
    EXPECT_EQ(keys[1].lParam & (1 << 29), 0);     // no Alt
    EXPECT_NE(keys[3].lParam & (1u << 31), 0u); // a release
    EXPECT_GE(GetKeyState(VK_CONTROL), 0);
}

TEST_F(KeyboardTest, AltWithAKeyGivesSystemKeysAndASystemCharacter)
{
    ASSERT_TRUE(wt::PressKey(m_window, VK_OEM_2, wt::Alt));
    auto const keys = TakeAll();
    EXPECT_EQ(Messages(keys),
        (Sequence { { WM_SYSKEYDOWN, VK_MENU }, { WM_SYSKEYDOWN, VK_OEM_2 }, { WM_SYSCHAR, '/' },
            { WM_SYSKEYUP, VK_OEM_2 }, { WM_KEYUP, VK_MENU } }));
    ASSERT_GE(keys.size(), 3u);
    EXPECT_NE(keys[1].lParam & (1 << 29), 0); // Alt held
    EXPECT_TRUE(keys[1].altDown);
}

TEST_F(KeyboardTest, AltShiftSlashIsAQuestionMark)
{
    ASSERT_TRUE(wt::PressKey(m_window, VK_OEM_2, wt::Alt | wt::Shift));
    auto const keys = TakeAll();
    std::vector<WPARAM> characters;
    for (auto const& key : keys) {
        if (key.message == WM_SYSCHAR)
            characters.push_back(key.key);
        if (key.message == WM_SYSKEYDOWN && key.key == VK_OEM_2) {
            EXPECT_TRUE(key.shiftDown);
            EXPECT_TRUE(key.altDown);
        }
    }
    EXPECT_EQ(characters, std::vector<WPARAM> { '?' });
}

TEST_F(KeyboardTest, AltAloneIsASystemKeyBothWays)
{
    ASSERT_TRUE(wt::PressKey(m_window, VK_MENU));
    EXPECT_EQ(Messages(TakeAll()), (Sequence { { WM_SYSKEYDOWN, VK_MENU }, { WM_SYSKEYUP, VK_MENU } }));
}

TEST_F(KeyboardTest, ControlAltIsNotASystemKey)
{
    ASSERT_TRUE(wt::PressKey(m_window, 'X', wt::Control | wt::Alt));
    bool sawX = false;
    for (auto const& key : TakeAll()) {
        if (key.key == 'X' && (key.message == WM_KEYDOWN || key.message == WM_SYSKEYDOWN)) {
            EXPECT_EQ(key.message, static_cast<UINT>(WM_KEYDOWN));
            EXPECT_TRUE(key.controlDown && key.altDown);
            sawX = true;
        }
    }
    EXPECT_TRUE(sawX);
}

TEST_F(KeyboardTest, F10IsASystemKeyWithoutAlt)
{
    ASSERT_TRUE(wt::PressKey(m_window, VK_F10));
    auto const keys = TakeAll();
    EXPECT_EQ(Messages(keys), (Sequence { { WM_SYSKEYDOWN, VK_F10 }, { WM_SYSKEYUP, VK_F10 } }));
    EXPECT_EQ(keys.at(0).lParam & (1 << 29), 0);
}

TEST_F(KeyboardTest, CharactersFollowShiftAndTheSpecialKeys)
{
    struct Case {
        int key;
        unsigned modifiers;
        WPARAM character;
    };
    for (auto const c : { Case { 'A', wt::NoModifier, 'a' }, Case { 'A', wt::Shift, 'A' }, Case { '5', wt::Shift, '%' },
             Case { VK_RETURN, wt::NoModifier, '\r' }, Case { VK_ESCAPE, wt::NoModifier, 0x1B },
             Case { VK_TAB, wt::NoModifier, '\t' }, Case { VK_NUMPAD7, wt::NoModifier, '7' },
             Case { VK_OEM_PLUS, wt::Shift, '+' } }) {
        ASSERT_TRUE(wt::PressKey(m_window, c.key, c.modifiers));
        std::vector<WPARAM> characters;
        bool keyDown = false;
        for (auto const& key : TakeAll()) {
            if (key.message == WM_CHAR)
                characters.push_back(key.key);
            keyDown = keyDown || (key.message == WM_KEYDOWN && key.key == static_cast<WPARAM>(c.key));
        }
        EXPECT_TRUE(keyDown) << c.key;
        EXPECT_EQ(characters, std::vector<WPARAM> { c.character }) << c.key;
    }
}

TEST_F(KeyboardTest, KeysWithoutCharactersGiveNone)
{
    ASSERT_TRUE(wt::PressKey(m_window, VK_F5));
    ASSERT_TRUE(wt::PressKey(m_window, VK_LEFT));
    for (auto const& key : TakeAll()) {
        EXPECT_NE(key.message, static_cast<UINT>(WM_CHAR));
        if (key.key == VK_LEFT) {
            EXPECT_NE(key.lParam & (1 << 24), 0); // an extended key
        }
    }
}

TEST_F(KeyboardTest, ADisabledWindowTakesNoKeys)
{
    EnableWindow(m_window, FALSE);
    EXPECT_FALSE(wt::PressKey(m_window, 'R', wt::Control));
    EXPECT_TRUE(TakeAll().empty());
    EnableWindow(m_window, TRUE);
    EXPECT_TRUE(wt::PressKey(m_window, 'R'));
    EXPECT_FALSE(TakeAll().empty());
}

TEST_F(KeyboardTest, KeyMessagesReachTheWindowProcedureWhenDispatched)
{
    ASSERT_TRUE(wt::PressKey(m_window, 'Q'));
    g_messages.clear();
    wt::PumpUntilIdle();
    EXPECT_EQ(MessagesTo(m_window), (std::vector<UINT> { WM_KEYDOWN, WM_CHAR, WM_KEYUP }));
}

TEST(VirtualKeys, EveryKeyOfTheUsLayoutMapsBackToItsVirtualKey)
{
    std::vector<int> keys;
    for (int key = 'A'; key <= 'Z'; ++key)
        keys.push_back(key);
    for (int key = '0'; key <= '9'; ++key)
        keys.push_back(key);
    for (int key = VK_NUMPAD0; key <= VK_DIVIDE; ++key) {
        if (key != VK_SEPARATOR)
            keys.push_back(key);
    }
    for (int key = VK_F1; key <= VK_F24; ++key)
        keys.push_back(key);
    for (int key : { VK_OEM_1, VK_OEM_PLUS, VK_OEM_COMMA, VK_OEM_MINUS, VK_OEM_PERIOD, VK_OEM_2, VK_OEM_3, VK_OEM_4,
             VK_OEM_5, VK_OEM_6, VK_OEM_7, VK_SPACE, VK_RETURN, VK_ESCAPE, VK_TAB, VK_BACK, VK_LEFT, VK_UP, VK_RIGHT,
             VK_DOWN, VK_HOME, VK_END, VK_PRIOR, VK_NEXT, VK_INSERT, VK_DELETE, VK_SHIFT, VK_CONTROL, VK_MENU })
        keys.push_back(key);
    for (int key : keys) {
        for (bool shift : { false, true }) {
            auto const stroke = winapi::user::QtKeyFromVirtualKey(key, shift);
            ASSERT_TRUE(stroke.has_value()) << key;
            Qt::KeyboardModifiers modifiers = shift ? Qt::ShiftModifier : Qt::NoModifier;
            if (stroke->keypad)
                modifiers |= Qt::KeypadModifier;
            auto const back = winapi::user::VirtualKeyFromQt(stroke->key, modifiers);
            ASSERT_TRUE(back.has_value()) << key;
            EXPECT_EQ(back->code, key) << key << (shift ? " with Shift" : "");
        }
    }
}

}
