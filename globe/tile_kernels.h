#pragma once

#include "globe/cut.h"
#include "globe/tile_bounds.h"
#include "simd/kernel_level.h"

#include <cstddef>

// One cut as a tile applies it: either the cut rule for each point, or (when
// the cut covers the whole tile) the scale alone.
struct TileStep {
    GlobePoint q;
    int tested;
    double factor;
};

// A rectangle of the grid: `rows` runs of `width` points, each run `stride`
// points after the previous one.
struct TileSpan {
    GlobePoint* first;
    std::size_t stride;
    int rows;
    int width;
};

// The tile kernels of one level; every level gives the same points and
// measures bit for bit.
struct TileKernels {
    // Takes every point of the tile through the steps in order.
    void (*applySteps)(TileSpan const& tile, TileStep const* steps, int stepCount);
    // Measures the tile's points against the unit axis (see TileMeasure).
    TileMeasure (*measure)(TileSpan const& tile, double axisX, double axisY, double axisZ);
};

// The kernels of the level, or of the widest level this machine runs when
// it does not run that one.
TileKernels const& TileKernelsFor(KernelLevel level);
