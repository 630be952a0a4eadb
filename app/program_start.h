#pragma once

#include <windows.h>

// The program's start, in the order WinMain takes it, in pieces that the
// grower and the benchmarks share too. The grower skips the starting globe:
// it brings one it has grown, with its count of passes.

// Loads the window title and class name from the string table and registers
// the main window class under that name. Returns the class atom.
ATOM RegisterProgram(HINSTANCE hInstance);

// Makes g_globe a new globe with its first dissection pass. False, with no
// globe, when there is no memory for it.
bool CreateStartingGlobe();

// Opens the main window on g_globe, which has had `dissectCount` passes:
// the status line counts from there, batches run up to the limit, both
// hemisphere views show. Returns what CreateMainWindow returns.
BOOL OpenMainWindow(HINSTANCE hInstance, int nCmdShow, int dissectCount);
