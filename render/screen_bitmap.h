#pragma once

#include <windows.h>

// A width x height colour bitmap for drawing off screen, in a format whose
// pixels the drawing reaches directly: on Windows a 32-bit top-down DIB
// section, elsewhere a bitmap compatible with `reference` (our GDI's are
// 32-bit colour). Null when GDI cannot make it.
HBITMAP CreateScreenBitmap(HDC reference, int width, int height);
