// Rounding to single precision without undefined behaviour, whatever the
// value.
#pragma once

#include <cfloat>
#include <cmath>
#include <limits>

// Rounds to the nearest single-precision float, as the FPU does: a finite
// value too large for a float becomes FLT_MAX or infinity by the usual
// round-to-nearest-even rule, instead of relying on an out-of-range
// conversion.
inline float RoundToSingle(double value)
{
    // Beyond FLT_MAX, everything from half an ulp above it rounds to infinity.
    constexpr double OVERFLOW_THRESHOLD = 0x1.ffffffp127;
    if (std::isfinite(value) && std::fabs(value) > FLT_MAX) {
        float const magnitude = std::fabs(value) >= OVERFLOW_THRESHOLD ? std::numeric_limits<float>::infinity() : FLT_MAX;
        return value < 0 ? -magnitude : magnitude;
    }
    return static_cast<float>(value);
}
