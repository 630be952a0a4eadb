#include "render/cell_canvas.h"
#include "render/cell_painter.h"
#include "render/float_conversion.h"
#include "render/globe_views.h"
#include "render/map_layout.h"
#include "render/pixel_target.h"

#include <vector>

namespace {

constexpr int PREFETCH_DISTANCE = 8;

// Fills `edges` with the map's cell edges along one axis, 0 .. GRID_N, as
// ForEachMapCell places them.
void PlaceCellEdges(std::vector<std::int32_t>& edges, std::int32_t origin, std::int32_t end)
{
    float const step = MapCellStep(static_cast<std::int64_t>(end) - origin, INV_GRID_N);
    edges.resize(GRID_N + 1);
    for (int index = 0; index <= GRID_N; ++index)
        edges[index] = MapCellEdge(origin, index, step);
}

// Straight into the pixels: the cells tile the rectangle, so they are
// filled row by row from the globe's pixels, which are stored that way.
void DrawMapDirect(PixelTarget const& target, DrawingContext& context, Globe const& globe, int left, int top,
    int right, int bottom)
{
    PlaceCellEdges(context.columnEdges, left, right);
    PlaceCellEdges(context.rowEdges, top, bottom);
    CellCanvas canvas(target);
    canvas.FillGrid(context.columnEdges, context.rowEdges, context.PointPixels(globe));
}

}

void DrawGlobeMap(DrawingContext& context, Globe const& globe, HDC hdc, int left, int top, int right, int bottom)
{
    PixelTarget target;
    if (ReachPixels(hdc, target)) {
        DrawMapDirect(target, context, globe, left, top, right, bottom);
        return;
    }

    // One pair of statistics colours every cell of this drawing.
    float const mean = RoundToSingle(globe.GetMeanRadius());
    float const max = RoundToSingle(globe.GetMaxRadius());

    // One column's radii are worked out before its cells are painted.
    std::vector<float>& radii = context.columnRadii;
    radii.resize(GRID_N);
    auto const measureColumn = [&](int column) {
        for (int row = 0; row < GRID_N; ++row) {
            // A column's points lie a whole row apart, too far for the
            // hardware's stride prefetch: ask for a later one now.
            if (row + PREFETCH_DISTANCE < GRID_N)
                __builtin_prefetch(globe.Points() + (row + PREFETCH_DISTANCE) * GRID_N + column);
            float x = 0;
            float y = 0;
            float z = 0;
            globe.GetPoint(row, column, &x, &y, &z);
            radii[row] = RoundToSingle(PointRadius(x, y, z));
        }
    };
    ForEachMapCell(GRID_N, INV_GRID_N, left, top, right, bottom, measureColumn, [&](MapCell const& cell) {
        POINT const corners[4] = {
            { cell.left, cell.top },
            { cell.right, cell.top },
            { cell.right, cell.bottom },
            { cell.left, cell.bottom },
        };
        PaintElevationCell(hdc, corners, radii[cell.row], mean, max);
    });
}
