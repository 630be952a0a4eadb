#include "winapi/user/accelerator_match.h"

namespace winapi::user {

namespace {

constexpr LPARAM ExtendedKeyBit = 1 << 24;
constexpr LPARAM ContextBit = 1 << 29;

bool EntryMatches(resources::AcceleratorEntry const& entry, MSG const& msg, ModifierKeys modifiers)
{
    if (msg.wParam != entry.key)
        return false;
    BYTE held = 0;
    if (modifiers.shift)
        held |= FSHIFT;
    if (modifiers.control)
        held |= FCONTROL;
    if (modifiers.alt)
        held |= FALT;
    BYTE const flags = entry.Modifiers();

    if (msg.message == WM_CHAR || msg.message == WM_SYSCHAR)
        return !(flags & FVIRTKEY) && (held & FALT) == (flags & FALT);
    if (flags & FVIRTKEY)
        return held == (flags & (FSHIFT | FCONTROL | FALT));
    // A character entry with FALT against an Alt key press of a key that is
    // not an extended one.
    return !(msg.lParam & ExtendedKeyBit) && (flags & FALT) && (msg.lParam & ContextBit);
}

}

std::optional<WORD> MatchAccelerator(std::span<resources::AcceleratorEntry const> entries, MSG const& msg,
    ModifierKeys modifiers)
{
    if (msg.message != WM_KEYDOWN && msg.message != WM_SYSKEYDOWN && msg.message != WM_CHAR && msg.message != WM_SYSCHAR)
        return std::nullopt;
    for (auto const& entry : entries) {
        if (EntryMatches(entry, msg, modifiers))
            return entry.command;
    }
    return std::nullopt;
}

}
