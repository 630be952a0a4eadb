// A window's text, shown where Qt shows it: the title of a top-level window
// or dialog, the label of a control.
#pragma once

#include "winapi/user/window.h"

namespace winapi::user {

void ApplyWindowText(Window& window);

// Win32 ANSI text as Qt text (Latin-1).
QString FromAnsi(std::string const& text);

// A control or menu text without its mnemonic marks: "&&" becomes "&" and a
// single "&" is dropped.
QString WithoutMnemonicMarks(QString const& text);

}
