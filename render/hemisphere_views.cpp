#include "render/hemisphere_views.h"

#include "globe/planet.h"
#include "render/cell_painter.h"
#include "render/float_conversion.h"
#include "render/hemisphere_projection.h"

#include <utility>
#include <vector>

namespace {

enum class Hemisphere {
    Lower,
    Upper,
};

bool IsOnSide(Hemisphere side, float z)
{
    return side == Hemisphere::Lower ? z < 0 : z > 0;
}

// One column of the grid: its points, their radii in single precision and
// where they project.
struct ProjectedColumn {
    std::vector<GlobePoint> points;
    std::vector<float> radii;
    std::vector<POINT> projected;

    void Load(Globe const& globe, HemisphereProjection const& projection, int column)
    {
        points.resize(GRID_N);
        radii.resize(GRID_N);
        projected.resize(GRID_N);
        for (int row = 0; row < GRID_N; ++row) {
            GlobePoint& p = points[row];
            globe.GetPoint(row, column, &p.x, &p.y, &p.z);
            radii[row] = RoundToSingle(PointRadius(p));
            ProjectedPoint const q = projection.Project(p.x, p.y);
            projected[row] = { q.x, q.y };
        }
    }
};

void DrawHemisphere(Hemisphere side, HDC hdc, int left, int top, int right, int bottom)
{
    if (!g_globe)
        return;
    Globe const& globe = *g_globe;
    float const mean = RoundToSingle(globe.GetMeanRadius());
    float const max = RoundToSingle(globe.GetMaxRadius());
    HemisphereProjection const projection = MakeHemisphereProjection(left, top, right, bottom, max);

    // A cell spans its own column and the next one, wrapping to column 0:
    // each column is read and projected once and kept while both of its
    // neighbours' cells are drawn.
    ProjectedColumn firstColumn;
    firstColumn.Load(globe, projection, 0);
    ProjectedColumn current = firstColumn;
    ProjectedColumn next;

    for (int column = 0; column < GRID_N; ++column) {
        int const nextColumn = (column + 1) % GRID_N;
        if (nextColumn == 0)
            next = firstColumn;
        else
            next.Load(globe, projection, nextColumn);

        for (int row = 0; row < GRID_N; ++row) {
            if (!IsOnSide(side, current.points[row].z))
                continue;
            int const nextRow = (row + 1) % GRID_N;
            POINT const corners[4] = {
                current.projected[row],
                current.projected[nextRow],
                next.projected[nextRow],
                next.projected[row],
            };
            PaintElevationCell(hdc, corners, current.radii[row], mean, max);
        }
        std::swap(current, next);
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
