// Matching a key message against an accelerator table, by Win32's rules.
//
// A virtual-key entry (FVIRTKEY) matches WM_KEYDOWN / WM_SYSKEYDOWN of its
// key when Shift, Ctrl and Alt are held exactly as its FSHIFT, FCONTROL and
// FALT say. A character entry matches WM_CHAR / WM_SYSCHAR of its character
// when Alt is held exactly as its FALT says (Shift and Ctrl do not matter:
// they already chose the character); one with FALT also matches an Alt key
// press whose virtual-key code equals its character. Entries are tried in
// table order.
#pragma once

#include "winapi/resources/accelerator_table.h"

#include <windows.h>

#include <optional>
#include <span>

namespace winapi::user {

struct ModifierKeys {
    bool shift = false;
    bool control = false;
    bool alt = false;
};

// The command of the first entry that matches, or nothing.
std::optional<WORD> MatchAccelerator(std::span<resources::AcceleratorEntry const> entries, MSG const& msg,
    ModifierKeys modifiers);

}
