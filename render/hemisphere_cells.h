// A hemisphere view's cells straight into 32-bit pixels: the same pixels as
// drawing the cells one by one, in the views' order (column by column, each
// column from row 0), for any grid. The cells are visited in bands of
// columns, each band row by row, as the globe keeps its points, several at
// once in the level's vectors; the pixels a band's cells fill are filled in
// the views' order once the band is done.
#pragma once

#include "globe/globe_point.h"
#include "simd/kernel_level.h"
#include "render/hemisphere_projection.h"
#include "render/pixel_target.h"

#include <cstdint>

enum class ViewSide : std::uint8_t {
    Lower, // points with z < 0
    Upper, // points with z > 0
};

// Whether a point with this z lies on the view's side; a z of 0 (or NaN)
// lies on neither.
inline bool IsOnSide(ViewSide side, float z)
{
    return side == ViewSide::Lower ? z < 0 : z > 0;
}

// A gridN x gridN grid as a view reads it: its points and their elevation
// pixels row by row, and, where known, which sides of the plane z = 0 each
// row reaches (row_sides.h), so that rows wholly off the view's side are
// passed over unread.
struct ViewedGrid {
    GlobePoint const* points;
    std::uint32_t const* pixels;
    std::uint8_t const* rowSides; // or null
    int gridN;
};

// Draws the view of `grid` with the form of `level`, which must be one the
// processor runs.
void FillHemisphereCells(KernelLevel level, PixelTarget const& target, ViewedGrid const& grid,
    HemisphereProjection const& projection, ViewSide side);
