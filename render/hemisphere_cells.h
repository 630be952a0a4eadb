// A hemisphere view's cells straight into 32-bit pixels, in AVX-512 where the
// processor has it: the same pixels as drawing the cells one by one, in the
// views' order (column by column, each column from row 0), for any grid.
#pragma once

#include "globe/globe_point.h"
#include "render/hemisphere_projection.h"
#include "render/pixel_target.h"

#include <cstdint>

enum class ViewSide : std::uint8_t {
    Lower, // points with z < 0
    Upper, // points with z > 0
};

// Draws the view of a gridN x gridN grid (points and their elevation pixels
// row by row) and returns true, or returns false, drawing nothing, where the
// AVX-512 forms are not in use (render/wide_kernels.h).
bool FillHemisphereCellsWide(PixelTarget const& target, GlobePoint const* points, std::uint32_t const* pixels,
    int gridN, HemisphereProjection const& projection, ViewSide side);
