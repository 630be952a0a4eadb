#pragma once

#include <windows.h>

// Draws the map of g_globe over the rectangle given by its edges: one
// rectangle per grid point, columns (longitude) left to right from column 0,
// rows (polar angle) top to bottom from the +z pole, each filled with its
// point's elevation colour. Cells are drawn column by column. The far edges
// can fall a pixel short of right and bottom; those pixels are left as they
// were.
void DrawMap(HDC hdc, int left, int top, int right, int bottom);
