// Win32 virtual-key codes for Qt's keys, and the characters of the US
// keyboard layout for keys that arrive without text.
#pragma once

#include <QString>
#include <Qt>

#include <optional>

namespace winapi::user {

struct VirtualKey {
    int code = 0;
    bool extended = false; // the extended-key bit (24) of a key message's lParam
};

// The virtual key of a Qt key event. Keys of the number pad (with
// Qt::KeypadModifier) get their own codes, as on Windows. Nothing for keys
// Win32 has no code for.
std::optional<VirtualKey> VirtualKeyFromQt(int qtKey, Qt::KeyboardModifiers modifiers);

// What a keyboard with the US layout sends for a virtual key: the Qt key and
// its text, with or without Shift. Nothing for codes no key of that layout
// sends.
struct QtKeyStroke {
    Qt::Key key = Qt::Key_unknown;
    QString text;
    bool keypad = false;
};
std::optional<QtKeyStroke> QtKeyFromVirtualKey(int virtualKey, bool shift);

// The character TranslateMessage makes of a key press in the US layout:
// letters follow Shift and Caps Lock, Ctrl with a letter gives its control
// code. Nothing for keys without a character.
std::optional<char> CharacterOfKey(int virtualKey, bool shift, bool control, bool capsLock);

}
