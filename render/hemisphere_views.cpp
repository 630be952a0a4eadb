#include "render/hemisphere_views.h"

#include "globe/planet.h"
#include "render/cell_painter.h"
#include "render/float_conversion.h"
#include "render/hemisphere_projection.h"

namespace {

enum class Hemisphere {
    Lower,
    Upper,
};

bool IsOnSide(Hemisphere side, float z)
{
    return side == Hemisphere::Lower ? z < 0 : z > 0;
}

POINT ToPoint(ProjectedPoint p)
{
    return { p.x, p.y };
}

void DrawHemisphere(Hemisphere side, HDC hdc, int left, int top, int right, int bottom)
{
    if (!g_globe)
        return;
    Globe const& globe = *g_globe;
    float const mean = RoundToSingle(globe.GetMeanRadius());
    float const max = RoundToSingle(globe.GetMaxRadius());
    HemisphereProjection const projection = MakeHemisphereProjection(left, top, right, bottom, max);

    auto project = [&](int row, int column) {
        float x = 0;
        float y = 0;
        float z = 0;
        globe.GetPoint(row, column, &x, &y, &z);
        return ToPoint(projection.Project(x, y));
    };

    for (int column = 0; column < GRID_N; ++column) {
        int const nextColumn = (column + 1) % GRID_N;
        for (int row = 0; row < GRID_N; ++row) {
            float x = 0;
            float y = 0;
            float z = 0;
            globe.GetPoint(row, column, &x, &y, &z);
            if (!IsOnSide(side, z))
                continue;
            int const nextRow = (row + 1) % GRID_N;
            float const radius = RoundToSingle(PointRadius(x, y, z));
            POINT const corners[4] = {
                ToPoint(projection.Project(x, y)),
                project(nextRow, column),
                project(nextRow, nextColumn),
                project(row, nextColumn),
            };
            PaintElevationCell(hdc, corners, radius, mean, max);
        }
    }
}

}

void DrawLowerHemisphere(HDC hdc, int left, int top, int right, int bottom)
{
    DrawHemisphere(Hemisphere::Lower, hdc, left, top, right, bottom);
}

void DrawUpperHemisphere(HDC hdc, int left, int top, int right, int bottom)
{
    DrawHemisphere(Hemisphere::Upper, hdc, left, top, right, bottom);
}
