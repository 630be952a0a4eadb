#pragma once

#include <windows.h>

// The off-screen map: a memory DC holding a bitmap the size of the display,
// made on the first render and kept to the end of the process. Both are null
// while the buffer does not exist, and they are only ever null or valid
// together.
extern HDC g_mapDC;
extern HBITMAP g_mapBitmap;

// Makes the buffer if it does not exist yet (a failed attempt leaves nothing
// behind and is tried again on the next call), then draws the map over the
// whole buffer. Draws nothing on the screen; the caller invalidates.
void RenderMapBuffer(HWND hwnd);

// Stretches the whole buffer into the rectangle given by its edges, with the
// destination's stretch mode set to COLORONCOLOR for the copy, so that every
// pixel shown has the colour of some cell, and restored afterwards. Does
// nothing while the buffer does not exist.
void DrawMapBuffer(HDC hdc, int left, int top, int right, int bottom);
