// The colour the views give one cell of a globe, worked out on its own: what
// the drawings' output is checked and measured against.
#pragma once

#include "globe/globe.h"
#include "globe/globe_point.h"
#include "render/elevation_color.h"
#include "render/float_conversion.h"

#include <windows.h>

// The colour of the cell whose first point is (row, column): the point's
// radius against the globe's mean and maximum, each rounded to single
// precision as the drawings round them.
inline COLORREF CellColor(Globe const& globe, int row, int column)
{
    float x = 0, y = 0, z = 0;
    globe.GetPoint(row, column, &x, &y, &z);
    return ElevationColor(RoundToSingle(PointRadius(x, y, z)), RoundToSingle(globe.GetMeanRadius()),
        RoundToSingle(globe.GetMaxRadius()));
}
