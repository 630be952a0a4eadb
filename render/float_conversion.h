// Conversions from double precision that never invoke undefined behaviour,
// whatever the value: every out-of-range or non-finite input has a defined
// result, stated on each function.
#pragma once

#include "globe/int_truncation.h"

#include <cfloat>
#include <cmath>
#include <cstdint>
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

// Saturates a 64-bit intermediate into the int range.
inline std::int32_t SaturateToInt(std::int64_t value)
{
    if (value < std::numeric_limits<std::int32_t>::min())
        return std::numeric_limits<std::int32_t>::min();
    if (value > std::numeric_limits<std::int32_t>::max())
        return std::numeric_limits<std::int32_t>::max();
    return static_cast<std::int32_t>(value);
}

// A colour channel: truncates toward zero to a 64-bit signed integer and
// keeps its low 8 bits (two's complement, so -1 gives 255 and 256 gives 0).
// A value that is not finite or lies outside the 64-bit range gives 0.
inline std::uint8_t ColorChannel(double value)
{
    // -2^63 itself is in range; 2^63 is the first value above it.
    if (!(value >= -0x1p63 && value < 0x1p63))
        return 0;
    auto const whole = static_cast<std::int64_t>(value);
    return static_cast<std::uint8_t>(static_cast<std::uint64_t>(whole) & 0xFF);
}
