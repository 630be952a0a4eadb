#include "winapi/user/key_state.h"

namespace winapi::user {

namespace {

constexpr BYTE Down = 0x80;
constexpr BYTE Toggled = 0x01;

bool IsToggleKey(int virtualKey)
{
    return virtualKey == VK_CAPITAL || virtualKey == VK_NUMLOCK || virtualKey == VK_SCROLL;
}

}

SHORT KeyState::Get(int virtualKey) const
{
    if (virtualKey < 0 || virtualKey > 255)
        return 0;
    BYTE const state = m_state[static_cast<std::size_t>(virtualKey)];
    int value = (state & Toggled) ? 1 : 0;
    if (state & Down)
        value |= 0xFF80; // the high bit, as a sign-extended SHORT
    return static_cast<SHORT>(static_cast<std::int16_t>(value));
}

bool KeyState::IsDown(int virtualKey) const
{
    return (Get(virtualKey) & 0x8000) != 0;
}

void KeyState::SetDown(int virtualKey, bool down)
{
    if (virtualKey < 0 || virtualKey > 255)
        return;
    auto& state = m_state[static_cast<std::size_t>(virtualKey)];
    if (down) {
        if (!(state & Down) && IsToggleKey(virtualKey))
            state ^= Toggled;
        state |= Down;
    } else {
        state &= static_cast<BYTE>(~Down);
    }
}

void KeyState::Apply(MSG const& keyMessage, Qt::KeyboardModifiers modifiers, bool reconcileModifiers)
{
    int const key = static_cast<int>(keyMessage.wParam & 0xFF);
    bool const down = keyMessage.message == WM_KEYDOWN || keyMessage.message == WM_SYSKEYDOWN;
    bool const up = keyMessage.message == WM_KEYUP || keyMessage.message == WM_SYSKEYUP;
    if (!down && !up)
        return;
    if (reconcileModifiers) {
        struct Modifier {
            int virtualKey;
            Qt::KeyboardModifier flag;
        };
        for (auto const modifier : { Modifier { VK_SHIFT, Qt::ShiftModifier }, Modifier { VK_CONTROL, Qt::ControlModifier },
                 Modifier { VK_MENU, Qt::AltModifier } }) {
            if (modifier.virtualKey != key)
                SetDown(modifier.virtualKey, modifiers.testFlag(modifier.flag));
        }
    }
    SetDown(key, down);
}

KeyState& Keys()
{
    static KeyState keys;
    return keys;
}

}
