// The AVX-512 form of FillHemisphereCells: each view drawn in bands of
// sixteen columns, a band's points projected sixteen at once, the cells that
// cover a sample point inside the clip found sixteen at once, and the spans
// of the cells no more than two pixel rows tall worked out there too. The
// cell-by-cell form at the AVX2 level takes 1.5 to 2 times as long for a
// view of the grown 1000-point planet (morva_render_bench).
#pragma once

#include "render/hemisphere_cells.h"

// Call only where the processor has AVX-512F.
void FillHemisphereCellsAvx512(PixelTarget const& target, GlobePoint const* points, std::uint32_t const* pixels,
    int gridN, HemisphereProjection const& projection, ViewSide side);
