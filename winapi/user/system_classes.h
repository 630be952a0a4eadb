// The classes of the system's own windows: the dialog box class and the
// button and static controls.
#pragma once

#include <windows.h>

namespace winapi::user {

inline constexpr char DialogClassName[] = "#32770";
inline constexpr char ButtonClassName[] = "Button";
inline constexpr char StaticClassName[] = "Static";

// Registers them on first use.
void EnsureSystemClasses();

LRESULT CALLBACK DialogWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK ButtonWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK StaticWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

}
