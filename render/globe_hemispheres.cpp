#include "render/hemisphere_views.h"

#include "globe/planet.h"
#include "render/cell_painter.h"
#include "render/drawing_levels.h"
#include "render/float_conversion.h"
#include "render/hemisphere_cells.h"
#include "render/hemisphere_projection.h"
#include "render/pixel_target.h"
#include "render/point_cache.h"

#include <algorithm>
#include <cstddef>
#include <vector>

namespace {

// A band of neighbouring columns, plus the column after it, which its last
// cells reach into. For each point: where it projects, whether it lies on the
// view's side and, when it does (only then does it colour a cell), its
// single-precision radius. The grid is stored row by row, so a band is read
// row by row, a short run of neighbouring points at a time, and kept column
// by column for drawing.
class ColumnBand {
public:
    static constexpr int MaxColumns = 16;
    static constexpr int PrefetchDistance = 8;
    static constexpr std::ptrdiff_t CacheLineBytes = 64;

    // Loads columns first .. first + count, the last one taken modulo
    // GRID_N.
    void Load(Globe const& globe, HemisphereProjection const& projection, ViewSide side, int first, int count)
    {
        m_points.resize(static_cast<std::size_t>(GRID_N) * (count + 1));
        char const* const gridEnd = reinterpret_cast<char const*>(globe.Points() + GRID_POINT_COUNT);
        for (int row = 0; row < GRID_N; ++row) {
            // Rows lie far apart in memory, beyond the reach of the
            // hardware's stride prefetch: ask for a later row's run now.
            if (row + PrefetchDistance < GRID_N) {
                char const* ahead
                    = reinterpret_cast<char const*>(globe.Points() + (row + PrefetchDistance) * GRID_N + first);
                std::ptrdiff_t const span = std::min<std::ptrdiff_t>(
                    (count + 1) * std::ptrdiff_t { sizeof(GlobePoint) } + CacheLineBytes, gridEnd - ahead);
                for (std::ptrdiff_t offset = 0; offset < span; offset += CacheLineBytes)
                    __builtin_prefetch(ahead + offset);
            }
            for (int offset = 0; offset <= count; ++offset) {
                int const column = (first + offset) % GRID_N;
                GlobePoint p;
                globe.GetPoint(row, column, &p.x, &p.y, &p.z);
                ProjectedPoint const q = projection.Project(p.x, p.y);
                BandPoint& point = PointAt(row, offset);
                point.projected = { q.x, q.y };
                point.onSide = IsOnSide(side, p.z);
                point.radius = point.onSide ? RoundToSingle(PointRadius(p)) : 0.0f;
            }
        }
    }

    struct BandPoint {
        POINT projected;
        float radius;
        bool onSide;
    };

    // The point of `row` in the band's column `offset` (0 .. count).
    BandPoint const& At(int row, int offset) const { return m_points[static_cast<std::size_t>(offset) * GRID_N + row]; }

private:
    BandPoint& PointAt(int row, int offset) { return m_points[static_cast<std::size_t>(offset) * GRID_N + row]; }

    std::vector<BandPoint> m_points;
};

void DrawHemisphere(ViewSide side, KernelLevel level, HDC hdc, int left, int top, int right, int bottom)
{
    if (!g_globe)
        return;
    Globe const& globe = *g_globe;
    float const mean = RoundToSingle(globe.GetMeanRadius());
    float const max = RoundToSingle(globe.GetMaxRadius());
    HemisphereProjection const projection = MakeHemisphereProjection(left, top, right, bottom, max);
    PixelTarget target;
    if (ReachPixels(hdc, target)) {
        FillHemisphereCells(level, target, globe.Points(), CurrentPointPixels(globe, level), GRID_N, projection, side);
        return;
    }

    // A cell spans its own column and the next one, wrapping to column 0,
    // and its own row and the next one, wrapping to row 0.
    ColumnBand band;
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

void DrawLowerHemisphere(HDC hdc, int left, int top, int right, int bottom)
{
    DrawHemisphere(ViewSide::Lower, FastestKernelLevel(), hdc, left, top, right, bottom);
}

void DrawUpperHemisphere(HDC hdc, int left, int top, int right, int bottom)
{
    DrawHemisphere(ViewSide::Upper, FastestKernelLevel(), hdc, left, top, right, bottom);
}

void DrawLowerHemisphereAt(KernelLevel level, HDC hdc, int left, int top, int right, int bottom)
{
    DrawHemisphere(ViewSide::Lower, level, hdc, left, top, right, bottom);
}

void DrawUpperHemisphereAt(KernelLevel level, HDC hdc, int left, int top, int right, int bottom)
{
    DrawHemisphere(ViewSide::Upper, level, hdc, left, top, right, bottom);
}
