#pragma once

#include "globe/globe_point.h"
#include "globe/row_sides.h"
#include "simd/kernel_level.h"

#include <cstddef>
#include <cstdint>

struct RadiusStatistics {
    double maxRadius; // the largest PointRadius, starting from element 0's
    double sum;       // the PointRadius of every element added in element order
};

// The largest radius and the sum of all radii of `count` points (count > 0),
// with the kernel of the level (or of the widest level this machine runs
// when it does not run that one). The sum is one double accumulator taking
// the radii in element order, so it rounds exactly as the plain loop does;
// only the radii themselves are worked out several at a time.
RadiusStatistics MeasureRadii(GlobePoint const* points, std::size_t count, KernelLevel level = ChosenKernelLevel());

// What the one pass over the points keeps on the way, for the statistics and
// for whatever is drawn from them.
struct KeptPerPoint {
    double* radii;          // each point's radius (count of them)
    std::uint8_t* rowSides; // the sides each row reaches, or null
    std::size_t rowLength;  // the points of a row (> 0), when rowSides is set
};

// The same, keeping each point's radius and, where asked, the sides each
// row of points reaches (one entry per row, the last row perhaps short).
RadiusStatistics MeasureAndKeepRadii(GlobePoint const* points, std::size_t count, KeptPerPoint const& kept,
    KernelLevel level = ChosenKernelLevel());
