// Truncation of a double to a 32-bit int that is defined for every input,
// header-only so that the model and the rendering share it.
#pragma once

#include <cmath>
#include <cstdint>
#include <limits>

// Truncates toward zero to a 32-bit int. Values beyond the int range saturate
// to INT32_MIN or INT32_MAX (infinities included); NaN gives 0.
inline std::int32_t TruncateToInt32(double value)
{
    if (std::isnan(value))
        return 0;
    // Both bounds are exact doubles; truncation of anything strictly
    // between them fits.
    if (value <= -2147483649.0)
        return std::numeric_limits<std::int32_t>::min();
    if (value >= 2147483648.0)
        return std::numeric_limits<std::int32_t>::max();
    return static_cast<std::int32_t>(value);
}
