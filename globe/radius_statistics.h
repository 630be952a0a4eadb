#pragma once

#include "globe/globe_point.h"
#include "simd/kernel_level.h"

#include <cstddef>

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

// The same, keeping each point's radius in `radii` (count of them) on the
// way: the one pass that works the radii out for the statistics and for
// whatever is drawn from them.
RadiusStatistics MeasureAndKeepRadii(GlobePoint const* points, std::size_t count, double* radii,
    KernelLevel level = ChosenKernelLevel());
