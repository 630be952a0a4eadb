// The map's rectangular cells filled straight into 32-bit pixels, with the
// coverage rule GDI's Polygon follows: what each cell's solid brush and null
// pen would paint, pixel for pixel, at the cost of a fill.
#pragma once

#include "render/pixel_target.h"

#include "raster/polygon_scan.h"

#include <algorithm>
#include <cstdint>
#include <vector>

class CellCanvas {
public:
    explicit CellCanvas(PixelTarget const& target)
        : m_target(target)
    {
    }

    // A grid of rectangular cells, the same row edges in every column, as
    // DrawMap draws it column by column: cell (row, column) spans
    // columnEdges[column] .. columnEdges[column + 1] across and rowEdges[row]
    // .. rowEdges[row + 1] down, in either order, in the colour
    // pixels[row * columns + column]. Where cells overlap, the one drawn
    // later (the larger column, then the larger row) wins, so the grid is
    // filled row by row with the same result.
    void FillGrid(std::vector<std::int32_t> const& columnEdges, std::vector<std::int32_t> const& rowEdges,
        std::uint32_t const* pixels);

private:
    PixelTarget m_target;
};
