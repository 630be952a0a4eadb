// The grid rows a hemisphere view sweeps, two at a time: a row and the one
// below it, which its cells reach into.
#pragma once

#include "globe/globe_point.h"
#include "render/hemisphere_cells.h"
#include "render/hemisphere_projection.h"
#include "render/projected_points.h"
#include "simd/kernel_level.h"

#include <cstddef>
#include <cstdint>
#include <vector>

// One grid row as the sweep reads it: where each point projects and its z,
// in runs of their own, with column 0's projection again after the last
// column and zeros beyond, up to a whole number of lane groups and one more
// point, so that every load of a group and of its right neighbours is whole.
struct SweptRow {
    int index = -1;
    bool projected = false;
    bool anyOnSide = false;
    std::vector<std::int32_t> x;
    std::vector<std::int32_t> y;
    std::vector<float> z;
};

// The rows of one drawing: row 0 is kept, since the last row's cells close
// on it; the others alternate between two slots.
class SweptRows {
public:
    void Begin(int gridN, int padded)
    {
        m_gridN = gridN;
        for (SweptRow& row : m_rows) {
            row.index = -1;
            row.x.assign(padded, 0);
            row.y.assign(padded, 0);
            row.z.assign(padded, 0.0f);
        }
    }

    // Row `index` with its z and whether any point lies on the side.
    SweptRow& Load(int index, GlobePoint const* points, ViewSide side)
    {
        SweptRow& row = m_rows[index == 0 ? 0 : 1 + (index & 1)];
        if (row.index == index)
            return row;
        row.index = index;
        row.projected = false;
        GlobePoint const* const first = points + static_cast<std::size_t>(index) * m_gridN;
        bool any = false;
        for (int column = 0; column < m_gridN; ++column) {
            row.z[column] = first[column].z;
            any |= IsOnSide(side, first[column].z);
        }
        row.anyOnSide = any;
        return row;
    }

    void Project(SweptRow& row, KernelLevel level, GlobePoint const* points, HemisphereProjection const& projection)
    {
        if (row.projected)
            return;
        ProjectPointsApart(level, projection, points + static_cast<std::size_t>(row.index) * m_gridN, m_gridN,
            row.x.data(), row.y.data());
        row.x[m_gridN] = row.x[0];
        row.y[m_gridN] = row.y[0];
        row.projected = true;
    }

private:
    int m_gridN = 0;
    SweptRow m_rows[3];
};
