#pragma once

#include "globe/cut.h"
#include "grower/sampled_files.h"
#include "grower/shared_rows.h"
#include "grower/write_run.h"

#include <cstdint>
#include <vector>

// The rows a surface is made in at a time: about a million points, and at
// least one band of the growth's tiles.
std::int32_t StripRows(std::int32_t width);

// How a surface's radii are made, strip by strip. From the grid: each
// pixel's grid point, its radius in double precision, as such files have
// always held. Grown: each pixel's starting point taken through every cut,
// its radius rounded to single precision (the sample every format of it
// derives from), or, when `kept` is given, those samples kept from an
// earlier growth. `grid`, `cuts` and `kept` must outlive the maker.
SharedRows::MakeStrip RadiusMaker(SampleSurface const& surface, GrownGrid const& grid, std::vector<Cut> const& cuts,
    std::vector<float> const* kept);
