#include "render/map_view.h"

#include "globe/planet.h"
#include "render/cell_painter.h"
#include "render/float_conversion.h"
#include "render/map_layout.h"

void DrawMap(HDC hdc, int left, int top, int right, int bottom)
{
    if (!g_globe)
        return;
    Globe const& globe = *g_globe;
    // One pair of statistics colours every cell of this drawing.
    float const mean = RoundToSingle(globe.GetMeanRadius());
    float const max = RoundToSingle(globe.GetMaxRadius());

    ForEachMapCell(GRID_N, INV_GRID_N, left, top, right, bottom, [&](MapCell const& cell) {
        float x = 0;
        float y = 0;
        float z = 0;
        globe.GetPoint(cell.row, cell.column, &x, &y, &z);
        float const radius = RoundToSingle(PointRadius(x, y, z));
        POINT const corners[4] = {
            { cell.left, cell.top },
            { cell.right, cell.top },
            { cell.right, cell.bottom },
            { cell.left, cell.bottom },
        };
        PaintElevationCell(hdc, corners, radius, mean, max);
    });
}
