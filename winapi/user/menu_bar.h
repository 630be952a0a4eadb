// The menu bar of a window, built from a menu template: a Qt QMenuBar whose
// items post WM_COMMAND with their identifiers. Item texts keep Win32's
// syntax, which is Qt's: "&" marks the mnemonic (Alt+F opens "&File") and
// the text after a tab shows as the key caption. No Qt shortcut is made, so
// keys reach the program and act only through its accelerator table.
#pragma once

#include "winapi/resources/menu_template.h"

#include <windows.h>

#include <QAction>
#include <QMenuBar>

namespace winapi::user {

QMenuBar* BuildMenuBar(resources::MenuTemplate const& menu, HWND owner);

// The action of the command item `commandId` anywhere in the bar.
QAction* FindMenuCommand(QMenuBar* menuBar, UINT commandId);

// The command identifier of an action of a built menu bar, or nothing for a
// pop-up or separator.
std::optional<UINT> MenuCommandOf(QAction const* action);

}
