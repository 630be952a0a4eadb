// Creating a window from a filled-in record: what CreateWindowExA and the
// dialog manager share.
#pragma once

#include "winapi/user/window.h"

namespace winapi::user {

// Adds the window, builds the Qt frame and client surface of a top-level
// window of a program's class, sends WM_NCCREATE, WM_CREATE, then WM_SIZE
// and WM_MOVE, and shows it if WS_VISIBLE is set. Null when the table is
// full or the window refused creation.
HWND CreateWindowRecord(std::unique_ptr<Window> record, int x, int y, int width, int height, LPVOID parameter);

}
