#include "render/column_band.h"

#include "render/float_conversion.h"

#include <algorithm>

void ColumnBand::Load(Globe const& globe, HemisphereProjection const& projection, ViewSide side, int first, int count)
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
            GlobePoint p {};
            globe.GetPoint(row, column, &p.x, &p.y, &p.z);
            ProjectedPoint const q = projection.Project(p.x, p.y);
            BandPoint& point = PointAt(row, offset);
            point.projected = { q.x, q.y };
            point.onSide = IsOnSide(side, p.z);
            point.radius = point.onSide ? RoundToSingle(PointRadius(p)) : 0.0f;
        }
    }
}
