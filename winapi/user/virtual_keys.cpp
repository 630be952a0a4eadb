#include "winapi/user/virtual_keys.h"

#include <windows.h>

#include <array>

namespace winapi::user {

namespace {

// The printable keys of the US layout: virtual key, character without and
// with Shift.
struct PrintableKey {
    int virtualKey;
    char plain;
    char shifted;
};

constexpr std::array PrintableKeys {
    PrintableKey { '0', '0', ')' }, PrintableKey { '1', '1', '!' }, PrintableKey { '2', '2', '@' },
    PrintableKey { '3', '3', '#' }, PrintableKey { '4', '4', '$' }, PrintableKey { '5', '5', '%' },
    PrintableKey { '6', '6', '^' }, PrintableKey { '7', '7', '&' }, PrintableKey { '8', '8', '*' },
    PrintableKey { '9', '9', '(' }, PrintableKey { VK_SPACE, ' ', ' ' },
    PrintableKey { VK_OEM_1, ';', ':' }, PrintableKey { VK_OEM_PLUS, '=', '+' },
    PrintableKey { VK_OEM_COMMA, ',', '<' }, PrintableKey { VK_OEM_MINUS, '-', '_' },
    PrintableKey { VK_OEM_PERIOD, '.', '>' }, PrintableKey { VK_OEM_2, '/', '?' },
    PrintableKey { VK_OEM_3, '`', '~' }, PrintableKey { VK_OEM_4, '[', '{' },
    PrintableKey { VK_OEM_5, '\\', '|' }, PrintableKey { VK_OEM_6, ']', '}' },
    PrintableKey { VK_OEM_7, '\'', '"' },
};

struct NamedKey {
    int qtKey;
    int virtualKey;
    bool extended;
};

constexpr std::array NamedKeys {
    NamedKey { Qt::Key_Escape, VK_ESCAPE, false }, NamedKey { Qt::Key_Tab, VK_TAB, false },
    NamedKey { Qt::Key_Backtab, VK_TAB, false }, NamedKey { Qt::Key_Backspace, VK_BACK, false },
    NamedKey { Qt::Key_Return, VK_RETURN, false }, NamedKey { Qt::Key_Enter, VK_RETURN, true },
    NamedKey { Qt::Key_Insert, VK_INSERT, true }, NamedKey { Qt::Key_Delete, VK_DELETE, true },
    NamedKey { Qt::Key_Pause, VK_PAUSE, false }, NamedKey { Qt::Key_Print, VK_SNAPSHOT, true },
    NamedKey { Qt::Key_Clear, VK_CLEAR, false }, NamedKey { Qt::Key_Home, VK_HOME, true },
    NamedKey { Qt::Key_End, VK_END, true }, NamedKey { Qt::Key_Left, VK_LEFT, true },
    NamedKey { Qt::Key_Up, VK_UP, true }, NamedKey { Qt::Key_Right, VK_RIGHT, true },
    NamedKey { Qt::Key_Down, VK_DOWN, true }, NamedKey { Qt::Key_PageUp, VK_PRIOR, true },
    NamedKey { Qt::Key_PageDown, VK_NEXT, true }, NamedKey { Qt::Key_Shift, VK_SHIFT, false },
    NamedKey { Qt::Key_Control, VK_CONTROL, false }, NamedKey { Qt::Key_Alt, VK_MENU, false },
    NamedKey { Qt::Key_AltGr, VK_MENU, true }, NamedKey { Qt::Key_Meta, VK_LWIN, true },
    NamedKey { Qt::Key_Super_L, VK_LWIN, true }, NamedKey { Qt::Key_Super_R, VK_RWIN, true },
    NamedKey { Qt::Key_Menu, VK_APPS, true }, NamedKey { Qt::Key_CapsLock, VK_CAPITAL, false },
    NamedKey { Qt::Key_NumLock, VK_NUMLOCK, true }, NamedKey { Qt::Key_ScrollLock, VK_SCROLL, false },
    NamedKey { Qt::Key_Space, VK_SPACE, false },
};

// Keys of the number pad with Num Lock on.
struct KeypadKey {
    int qtKey;
    int virtualKey;
    bool extended;
    char text;
};

constexpr std::array KeypadKeys {
    KeypadKey { Qt::Key_Asterisk, VK_MULTIPLY, false, '*' }, KeypadKey { Qt::Key_Plus, VK_ADD, false, '+' },
    KeypadKey { Qt::Key_Minus, VK_SUBTRACT, false, '-' }, KeypadKey { Qt::Key_Period, VK_DECIMAL, false, '.' },
    KeypadKey { Qt::Key_Comma, VK_DECIMAL, false, '.' }, KeypadKey { Qt::Key_Slash, VK_DIVIDE, true, '/' },
};

// Qt names a printable key by its character, upper case for letters.
int QtKeyOfCharacter(char c)
{
    if (c >= 'a' && c <= 'z')
        return c - 'a' + 'A';
    return static_cast<unsigned char>(c);
}

}

std::optional<VirtualKey> VirtualKeyFromQt(int qtKey, Qt::KeyboardModifiers modifiers)
{
    if (modifiers.testFlag(Qt::KeypadModifier)) {
        if (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9)
            return VirtualKey { VK_NUMPAD0 + (qtKey - Qt::Key_0), false };
        for (auto const& key : KeypadKeys) {
            if (key.qtKey == qtKey)
                return VirtualKey { key.virtualKey, key.extended };
        }
        // Navigation keys of the pad (Num Lock off) are not extended.
        for (auto const& key : NamedKeys) {
            if (key.qtKey == qtKey)
                return VirtualKey { key.virtualKey, key.qtKey == Qt::Key_Enter };
        }
    }
    for (auto const& key : NamedKeys) {
        if (key.qtKey == qtKey)
            return VirtualKey { key.virtualKey, key.extended };
    }
    if (qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z)
        return VirtualKey { 'A' + (qtKey - Qt::Key_A), false };
    if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F24)
        return VirtualKey { VK_F1 + (qtKey - Qt::Key_F1), false };
    for (auto const& key : PrintableKeys) {
        if (qtKey == QtKeyOfCharacter(key.plain) || qtKey == QtKeyOfCharacter(key.shifted))
            return VirtualKey { key.virtualKey, false };
    }
    return std::nullopt;
}

std::optional<QtKeyStroke> QtKeyFromVirtualKey(int virtualKey, bool shift)
{
    if (virtualKey >= 'A' && virtualKey <= 'Z') {
        char const c = static_cast<char>(shift ? virtualKey : virtualKey - 'A' + 'a');
        return QtKeyStroke { static_cast<Qt::Key>(virtualKey), QString(QChar::fromLatin1(c)), false };
    }
    for (auto const& key : PrintableKeys) {
        if (key.virtualKey == virtualKey) {
            char const c = shift ? key.shifted : key.plain;
            return QtKeyStroke { static_cast<Qt::Key>(QtKeyOfCharacter(c)), QString(QChar::fromLatin1(c)), false };
        }
    }
    if (virtualKey >= VK_NUMPAD0 && virtualKey <= VK_NUMPAD9) {
        char const c = static_cast<char>('0' + (virtualKey - VK_NUMPAD0));
        return QtKeyStroke { static_cast<Qt::Key>(Qt::Key_0 + (virtualKey - VK_NUMPAD0)), QString(QChar::fromLatin1(c)), true };
    }
    for (auto const& key : KeypadKeys) {
        if (key.virtualKey == virtualKey)
            return QtKeyStroke { static_cast<Qt::Key>(key.qtKey), QString(QChar::fromLatin1(key.text)), true };
    }
    if (virtualKey >= VK_F1 && virtualKey <= VK_F24)
        return QtKeyStroke { static_cast<Qt::Key>(Qt::Key_F1 + (virtualKey - VK_F1)), QString(), false };
    for (auto const& key : NamedKeys) {
        if (key.virtualKey == virtualKey) { // the first entry is the main key
            QString text;
            if (virtualKey == VK_RETURN)
                text = QStringLiteral("\r");
            else if (virtualKey == VK_ESCAPE)
                text = QString(QChar(0x1B));
            else if (virtualKey == VK_TAB)
                text = QStringLiteral("\t");
            else if (virtualKey == VK_BACK)
                text = QString(QChar(0x08));
            return QtKeyStroke { static_cast<Qt::Key>(key.qtKey), text, false };
        }
    }
    return std::nullopt;
}

std::optional<char> CharacterOfKey(int virtualKey, bool shift, bool control, bool capsLock)
{
    if (virtualKey >= 'A' && virtualKey <= 'Z') {
        if (control)
            return static_cast<char>(virtualKey - 'A' + 1);
        bool const upper = shift != capsLock;
        return static_cast<char>(upper ? virtualKey : virtualKey - 'A' + 'a');
    }
    if (control) {
        switch (virtualKey) {
        case VK_OEM_4:
            return '\x1B';
        case VK_OEM_5:
            return '\x1C';
        case VK_OEM_6:
            return '\x1D';
        case VK_RETURN:
            return '\n';
        case VK_BACK:
            return '\x7F';
        case VK_SPACE:
            return ' ';
        case VK_ESCAPE:
            return '\x1B';
        case '2':
            if (shift)
                return '\0';
            return std::nullopt;
        case '6':
            if (shift)
                return '\x1E';
            return std::nullopt;
        case VK_OEM_MINUS:
            if (shift)
                return '\x1F';
            return std::nullopt;
        default:
            return std::nullopt;
        }
    }
    for (auto const& key : PrintableKeys) {
        if (key.virtualKey == virtualKey)
            return shift ? key.shifted : key.plain;
    }
    if (virtualKey >= VK_NUMPAD0 && virtualKey <= VK_NUMPAD9)
        return static_cast<char>('0' + (virtualKey - VK_NUMPAD0));
    for (auto const& key : KeypadKeys) {
        if (key.virtualKey == virtualKey)
            return key.text;
    }
    switch (virtualKey) {
    case VK_RETURN:
        return '\r';
    case VK_ESCAPE:
        return '\x1B';
    case VK_BACK:
        return '\b';
    case VK_TAB:
        return '\t';
    default:
        return std::nullopt;
    }
}

}
