// The keyboard state as the thread's messages report it, for GetKeyState:
// a key is down from the moment its key-down message is taken from the
// queue until its key-up message is.
#pragma once

#include <windows.h>

#include <Qt>

#include <array>

namespace winapi::user {

class KeyState {
public:
    // The GetKeyState value: the high bit (negative) while down, bit 0 for
    // a toggle key that is on.
    SHORT Get(int virtualKey) const;
    bool IsDown(int virtualKey) const;

    // Takes a key message off the queue. `modifiers` are the Shift, Ctrl
    // and Alt keys held when the key event happened; they correct the state
    // of those keys (other than the message's own key) in case a release was
    // seen by some other program.
    void Apply(MSG const& keyMessage, Qt::KeyboardModifiers modifiers, bool reconcileModifiers);

    void SetDown(int virtualKey, bool down);
    void Reset() { m_state.fill(0); }

private:
    std::array<BYTE, 256> m_state {};
};

KeyState& Keys();

}
