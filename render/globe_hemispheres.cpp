#include "render/cell_painter.h"
#include "render/float_conversion.h"
#include "render/globe_views.h"
#include "render/hemisphere_cells.h"
#include "render/hemisphere_projection.h"
#include "render/pixel_target.h"

#include <algorithm>

namespace {

void DrawHemisphere(
    DrawingContext& context, Globe const& globe, ViewSide side, HDC hdc, int left, int top, int right, int bottom)
{
    float const mean = RoundToSingle(globe.GetMeanRadius());
    float const max = RoundToSingle(globe.GetMaxRadius());
    HemisphereProjection const projection = MakeHemisphereProjection(left, top, right, bottom, max);
    PixelTarget target;
    if (ReachPixels(hdc, target)) {
        ViewedGrid const grid { globe.Points(), context.PointPixels(globe), globe.RowSides(), GRID_N };
        FillHemisphereCells(context.Level(), target, grid, projection, side);
        return;
    }

    // A cell spans its own column and the next one, wrapping to column 0,
    // and its own row and the next one, wrapping to row 0.
    ColumnBand& band = context.band;
    for (int first = 0; first < GRID_N; first += ColumnBand::MaxColumns) {
        int const count = std::min(ColumnBand::MaxColumns, GRID_N - first);
        band.Load(globe, projection, side, first, count);
        for (int offset = 0; offset < count; ++offset) {
            for (int row = 0; row < GRID_N; ++row) {
                ColumnBand::BandPoint const& point = band.At(row, offset);
                if (!point.onSide)
                    continue;
                int const nextRow = (row + 1) % GRID_N;
                POINT const corners[4] = {
                    point.projected,
                    band.At(nextRow, offset).projected,
                    band.At(nextRow, offset + 1).projected,
                    band.At(row, offset + 1).projected,
                };
                PaintElevationCell(hdc, corners, point.radius, mean, max);
            }
        }
    }
}

}

void DrawGlobeLowerHemisphere(
    DrawingContext& context, Globe const& globe, HDC hdc, int left, int top, int right, int bottom)
{
    DrawHemisphere(context, globe, ViewSide::Lower, hdc, left, top, right, bottom);
}

void DrawGlobeUpperHemisphere(
    DrawingContext& context, Globe const& globe, HDC hdc, int left, int top, int right, int bottom)
{
    DrawHemisphere(context, globe, ViewSide::Upper, hdc, left, top, right, bottom);
}
