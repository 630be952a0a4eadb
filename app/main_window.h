#pragma once

#include <windows.h>

// The program's entry and its one window. WinMain itself is declared by
// <windows.h>.

// Registers the main window class under g_windowClassName: the window
// procedure, the program's icons and menu, the arrow cursor and the
// system window colour as background. Returns the class atom.
ATOM RegisterMainWindowClass(HINSTANCE hInstance);

// Stores the instance in g_hInstance, creates the main window, shows and
// paints it, then starts the dissection timer and both automations.
// Returns 1, or 0 when the window could not be created.
BOOL CreateMainWindow(HINSTANCE hInstance, int nCmdShow);

LRESULT CALLBACK MainWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

// Paints the main window: both hemisphere views above the map, or the map
// alone, and the status line across the top.
void PaintMainWindow(HWND hwnd);

INT_PTR CALLBACK AboutDialogProc(HWND hDlg, UINT message, WPARAM wParam, LPARAM lParam);
