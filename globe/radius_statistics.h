#pragma once

#include "globe/cut.h"

#include <cstddef>

struct RadiusStatistics {
    double maxRadius; // the largest PointRadius, starting from element 0's
    double sum;       // the PointRadius of every element added in element order
};

// The largest radius and the sum of all radii of `count` points (count > 0).
// The sum is one double accumulator taking the radii in element order, so it
// rounds exactly as the plain loop does; only the radii themselves are
// worked out several at a time.
RadiusStatistics MeasureRadii(GlobePoint const* points, std::size_t count, CutKernel kernel = CutKernel::Fastest);
