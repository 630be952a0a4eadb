// The colour rule for many points at once: for each point, the pixel a solid
// brush of ElevationColor(its radius rounded to single, mean, max) paints on
// a 32-bit surface, bit for bit. Above the portable level the arithmetic
// runs branch-free in vectors (SSE2, AVX2 or AVX-512); a run with a point
// whose values leave the range that form handles exactly is worked out by
// ElevationColor itself.
//
// Safe to call from many threads at once: nothing is written but `pixels`,
// and the form is chosen from the processor alone.
#pragma once

#include "globe/globe_point.h"
#include "simd/kernel_level.h"

#include <cstddef>
#include <cstdint>

// With the form of the chosen level (ChosenKernelLevel).
void ElevationPixels(GlobePoint const* points, std::size_t count, float meanRadius, float maxRadius,
    std::uint32_t* pixels);

// With the form of `level`, which must be one the processor runs.
void ElevationPixels(KernelLevel level, GlobePoint const* points, std::size_t count, float meanRadius,
    float maxRadius, std::uint32_t* pixels);

// The same from the points' radii (as PointRadius gives them), worked out
// already.
void ElevationPixelsOfRadii(double const* radii, std::size_t count, float meanRadius, float maxRadius,
    std::uint32_t* pixels);
void ElevationPixelsOfRadii(KernelLevel level, double const* radii, std::size_t count, float meanRadius,
    float maxRadius, std::uint32_t* pixels);
