#pragma once

#include <windows.h>

// The colour of a point from its radius, measured against the globe's mean
// and maximum radius. Sea level lies a tenth of the way from the mean to the
// maximum: below it blues that darken with depth, at or above it greens that
// brighten upwards, and a band of near-white peaks at the very top. Pure; the
// same for every grid size.
COLORREF ElevationColor(float radius, float meanRadius, float maxRadius);

// A new solid brush of ElevationColor(radius, meanRadius, maxRadius). The
// caller selects it, draws, selects the previous brush back and deletes it.
// Null when GDI cannot make the brush.
HBRUSH CreateElevationBrush(float radius, float meanRadius, float maxRadius);
