// The grid rows a hemisphere view sweeps within a band of columns, two at a
// time: a row and the one below it, which its cells reach into.
#pragma once

#include "globe/globe_point.h"
#include "globe/row_sides.h"
#include "render/hemisphere_cells.h"
#include "render/hemisphere_projection.h"
#include "render/projected_points.h"
#include "simd/kernel_level.h"

#include <cstddef>
#include <cstdint>
#include <vector>

// One grid row's band as the sweep reads it: whether each point lies on the
// view's side (all-ones or 0) and where it projects, in runs of their own.
// The projection of the column right of the band (column 0 after the last)
// follows the band's last, and zeros follow up to a whole number of lane
// groups and one more point, so that every load of a group and of its right
// neighbours is whole.
struct SweptRow {
    int index = -1;
    bool projected = false;
    bool anyOnSide = false;
    std::vector<std::int32_t> x;
    std::vector<std::int32_t> y;
    std::vector<std::int32_t> onSide;
};

// The rows of one band: row 0 is kept, since the last row's cells close on
// it; the others alternate between two slots.
class SweptRows {
public:
    // Starts the band of `columns` columns from column `first`.
    void Begin(int gridN, int first, int columns, int padded)
    {
        m_gridN = gridN;
        m_first = first;
        m_columns = columns;
        for (SweptRow& row : m_rows) {
            row.index = -1;
            row.x.assign(padded, 0);
            row.y.assign(padded, 0);
            row.onSide.assign(padded, 0);
        }
    }

    // The slot row `index` is kept in: the row it holds is that row when
    // its index says so.
    SweptRow& Slot(int index) { return m_rows[index == 0 ? 0 : 1 + (index & 1)]; }

    // The band's first point of row `index`.
    GlobePoint const* BandStart(GlobePoint const* points, int index) const
    {
        return points + static_cast<std::size_t>(index) * m_gridN + m_first;
    }

    int Columns() const { return m_columns; }

    void Project(SweptRow& row, KernelLevel level, GlobePoint const* points, HemisphereProjection const& projection)
    {
        if (row.projected)
            return;
        GlobePoint const* const first = points + static_cast<std::size_t>(row.index) * m_gridN;
        int const right = m_first + m_columns;
        if (right < m_gridN) {
            ProjectPointsApart(level, projection, first + m_first, m_columns + 1, row.x.data(), row.y.data());
        } else {
            ProjectPointsApart(level, projection, first + m_first, m_columns, row.x.data(), row.y.data());
            ProjectPointsApart(level, projection, first, 1, &row.x[m_columns], &row.y[m_columns]);
        }
        row.projected = true;
    }

private:
    int m_gridN = 0;
    int m_first = 0;
    int m_columns = 0;
    SweptRow m_rows[3];
};
