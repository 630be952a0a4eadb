#pragma once

#include "globe/cut.h"
#include "globe/tile_bounds.h"

#include <cstddef>

// One cut as a tile applies it: either the plane test for each point, or
// (when the cut covers the whole tile) the scale alone. The scale is the
// same in both: each coordinate times the factor in double precision,
// rounded back to single precision.
struct TileStep {
    float qx;
    float qy;
    float qz;
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

// Takes every point of the tile through the steps in order.
void ApplyStepsToTile(TileSpan const& tile, TileStep const* steps, int stepCount, CutKernel kernel);

// Measures the tile's points against the unit axis (see TileMeasure).
TileMeasure MeasureTile(TileSpan const& tile, double axisX, double axisY, double axisZ, CutKernel kernel);
