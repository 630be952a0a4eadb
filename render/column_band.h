// A band of neighbouring columns, plus the column after it, which its last
// cells reach into. For each point: where it projects, whether it lies on the
// view's side and, when it does (only then does it colour a cell), its
// single-precision radius. The grid is stored row by row, so a band is read
// row by row, a short run of neighbouring points at a time, and kept column
// by column for drawing. The hemisphere views' cell-by-cell drawing loads
// one band after another into the same storage.
#pragma once

#include "globe/globe.h"
#include "render/hemisphere_cells.h"
#include "render/hemisphere_projection.h"

#include <windows.h>

#include <cstddef>
#include <vector>

class ColumnBand {
public:
    static constexpr int MaxColumns = 16;
    static constexpr int PrefetchDistance = 8;
    static constexpr std::ptrdiff_t CacheLineBytes = 64;

    // Loads columns first .. first + count, the last one taken modulo
    // GRID_N.
    void Load(Globe const& globe, HemisphereProjection const& projection, ViewSide side, int first, int count);

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
