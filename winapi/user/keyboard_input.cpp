#include "winapi/user/keyboard_input.h"

#include "winapi/user/message_queue.h"
#include "winapi/user/virtual_keys.h"

namespace winapi::user {

namespace {

constexpr DWORD ExtendedKeyBit = 1u << 24;
constexpr DWORD ContextBit = 1u << 29;
constexpr DWORD PreviousStateBit = 1u << 30;
constexpr DWORD TransitionBit = 1u << 31;

// The key of the last system key press. Releasing Alt is a system key
// release only straight after Alt's own press: after Alt+X it is WM_KEYUP.
int g_lastSystemKeyDown = 0;

}

bool PostKeyEvent(HWND target, QKeyEvent const& event)
{
    bool const press = event.type() == QEvent::KeyPress;
    if (!press && event.isAutoRepeat())
        return true; // a held key repeats as presses only
    auto const key = VirtualKeyFromQt(event.key(), event.modifiers());
    if (!key)
        return false;

    auto const modifiers = event.modifiers();
    bool const isModifierKey = key->code == VK_CONTROL || key->code == VK_MENU;
    bool const alt = modifiers.testFlag(Qt::AltModifier) || key->code == VK_MENU;
    bool const controlWithIt = modifiers.testFlag(Qt::ControlModifier) && !isModifierKey;
    bool const altSystemKey = alt && !controlWithIt;
    bool system = altSystemKey || (key->code == VK_F10 && !controlWithIt);
    if (press && system)
        g_lastSystemKeyDown = key->code;
    if (!press && system) {
        if (key->code == VK_MENU && g_lastSystemKeyDown != VK_MENU)
            system = false;
        if (key->code == VK_MENU)
            g_lastSystemKeyDown = 0;
    }

    DWORD flags = 1; // repeat count
    if (key->extended)
        flags |= ExtendedKeyBit;
    if (altSystemKey && system)
        flags |= ContextBit;
    if (!press)
        flags |= PreviousStateBit | TransitionBit;
    else if (event.isAutoRepeat())
        flags |= PreviousStateBit;

    UINT message;
    if (press)
        message = system ? WM_SYSKEYDOWN : WM_KEYDOWN;
    else
        message = system ? WM_SYSKEYUP : WM_KEYUP;

    QueuedMessage queued;
    queued.msg = MakeMessage(target, message, static_cast<WPARAM>(key->code), static_cast<LPARAM>(flags));
    queued.text = event.text();
    queued.modifiers = modifiers;
    queued.fromKeyboard = true;
    Queue().PostInput(queued);
    return true;
}

}
