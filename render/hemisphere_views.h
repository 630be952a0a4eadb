#pragma once

#include <windows.h>

// The globe as a disc seen along its z axis, +x to the right and +y
// downwards, fitted into the rectangle given by its edges. A cell is the
// quadrilateral of the points (i, k), (i + 1, k), (i + 1, k + 1), (i, k + 1),
// indices wrapping at GRID_N; its first point decides whether it is drawn
// and its colour. Cells are drawn column by column, later ones over earlier
// ones.

// The cells whose first point has z < 0.
void DrawLowerHemisphere(HDC hdc, int left, int top, int right, int bottom);

// The cells whose first point has z > 0, seen from the same side as the
// lower view (as if through the globe).
void DrawUpperHemisphere(HDC hdc, int left, int top, int right, int bottom);
