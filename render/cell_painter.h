#pragma once

#include <windows.h>

// Fills one cell of a view: a four-vertex polygon in the elevation colour of
// `radius`, with no outline. The cell's own brush and null pen are created,
// selected, used, deselected and deleted here, so nothing outlives the call
// and the DC's previous brush and pen are back in place afterwards.
void PaintElevationCell(HDC hdc, POINT const (&corners)[4], float radius, float meanRadius, float maxRadius);

// How many cells PaintElevationCell could not paint whole since the process
// began: one of its GDI calls failed. A drawing made of such cells is whole
// only if this did not change while it was drawn.
unsigned FailedCellPaints();
