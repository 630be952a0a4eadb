#pragma once

// The constants derived from the compile-time grid resolution GRID_N.
#ifndef GRID_N
#error "GRID_N must be defined by the build (75, 200, 500, 700 or 1000)"
#endif

#include "globe/sphere_point.h"

static_assert(GRID_N > 1, "the grid needs at least two points per side");

inline constexpr double GRID_PI = SPHERE_PI;

// Polar angle between rows and longitude between columns, in single precision.
inline constexpr float GRID_ROW_STEP = static_cast<float>(GRID_PI / GRID_N);
inline constexpr float GRID_COLUMN_STEP = static_cast<float>(2.0 * GRID_PI / GRID_N);

// The double nearest to 1 / GRID_N^2: the mean is a sum times this factor.
inline constexpr double GRID_MEAN_FACTOR = 1.0 / (static_cast<double>(GRID_N) * GRID_N);

// The single-precision float nearest to 1 / GRID_N, for the map's cell steps.
inline constexpr float INV_GRID_N = static_cast<float>(1.0 / GRID_N);

inline constexpr int GRID_POINT_COUNT = GRID_N * GRID_N;
