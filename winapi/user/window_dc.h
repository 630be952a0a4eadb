// DCs on a window's client surface: GetDC/ReleaseDC (answered for GDI) and
// the DCs of BeginPaint.
#pragma once

#include "winapi/user/window.h"

namespace winapi::user {

// Lets GDI's GetDC(hwnd) and ReleaseDC(hwnd, hdc) reach USER. Idempotent.
void InstallWindowDCProvider();

// A DC drawing on the window's client surface; null for a window without
// one. The window keeps track of it until it is closed.
HDC OpenWindowDC(Window& window);

// Releases a DC opened on this window; false if it is not one of them.
bool CloseWindowDC(Window& window, HDC dc);

// Releases every DC still open on the window, as its destruction does.
void ReleaseAllWindowDCs(Window& window);

}
