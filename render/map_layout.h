// Where the map's cells fall: one axis-aligned rectangle per grid point,
// columns left to right, rows top to bottom. Pure geometry, no GDI.
#pragma once

#include "render/float_conversion.h"

#include <cmath>
#include <cstdint>
#include <vector>

// The width of one cell along an axis of the given extent: extent times the
// single-precision 1/N, formed in double precision and rounded to single.
inline float MapCellStep(std::int64_t extent, float inverseGridN)
{
    return RoundToSingle(static_cast<double>(extent) * inverseGridN);
}

// The edge in front of cell `index`: origin + trunc(index * step), the
// product formed in double precision and truncated before the origin is
// added. Every edge comes from its own index, so neighbours share edges
// exactly. Edges beyond the int range saturate to it.
inline std::int32_t MapCellEdge(std::int32_t origin, std::int32_t index, float step)
{
    double const product = index * static_cast<double>(step);
    // Any product the int range can use converts directly.
    if (std::fabs(product) < 0x1p40)
        return SaturateToInt(origin + static_cast<std::int64_t>(product));
    return TruncateToInt32(origin + std::trunc(product));
}

struct MapCell {
    std::int32_t row;
    std::int32_t column;
    std::int32_t left;
    std::int32_t top;
    std::int32_t right;
    std::int32_t bottom;
};

// Calls visit(MapCell) for every cell of a gridN x gridN map over the
// rectangle, column by column and top to bottom within a column: the first
// cell is row 0, column 0 at the top-left, the last row gridN - 1, column
// gridN - 1 at the bottom-right. beginColumn(column) is called before the
// first cell of each column. The extents are taken in 64 bits, so any
// rectangle is safe; a reversed one gives mirrored cells, an empty one
// degenerate cells that are still visited.
template<typename BeginColumn, typename Visit>
void ForEachMapCell(std::int32_t gridN, float inverseGridN, std::int32_t left, std::int32_t top, std::int32_t right,
    std::int32_t bottom, BeginColumn&& beginColumn, Visit&& visit)
{
    float const stepX = MapCellStep(static_cast<std::int64_t>(right) - left, inverseGridN);
    float const stepY = MapCellStep(static_cast<std::int64_t>(bottom) - top, inverseGridN);
    // Every column has the same row edges.
    std::vector<std::int32_t> rowEdges(static_cast<std::size_t>(gridN) + 1);
    for (std::int32_t row = 0; row <= gridN; ++row)
        rowEdges[row] = MapCellEdge(top, row, stepY);

    for (std::int32_t column = 0; column < gridN; ++column) {
        std::int32_t const x0 = MapCellEdge(left, column, stepX);
        std::int32_t const x1 = MapCellEdge(left, column + 1, stepX);
        beginColumn(column);
        for (std::int32_t row = 0; row < gridN; ++row)
            visit(MapCell { row, column, x0, rowEdges[row], x1, rowEdges[row + 1] });
    }
}

template<typename Visit>
void ForEachMapCell(std::int32_t gridN, float inverseGridN, std::int32_t left, std::int32_t top, std::int32_t right,
    std::int32_t bottom, Visit&& visit)
{
    ForEachMapCell(gridN, inverseGridN, left, top, right, bottom, [](std::int32_t) { }, visit);
}
