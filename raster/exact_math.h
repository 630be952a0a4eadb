// Exact integer helpers for rasterising: no floating point, no overflow for
// any pair of 32-bit coordinates.
#pragma once

#include <algorithm>
#include <cstdint>

namespace raster {

// ceil(numerator / denominator) for a positive denominator.
constexpr std::int64_t CeilDiv(std::int64_t numerator, std::int64_t denominator)
{
    std::int64_t quotient = numerator / denominator;
    if (numerator % denominator != 0 && numerator > 0)
        ++quotient;
    return quotient;
}

// floor(numerator / denominator) for a positive denominator.
constexpr std::int64_t FloorDiv(std::int64_t numerator, std::int64_t denominator)
{
    std::int64_t quotient = numerator / denominator;
    if (numerator % denominator != 0 && numerator < 0)
        --quotient;
    return quotient;
}

// ceil(t * dx / dy) for 0 <= t < 2^33, |dx| < 2^33 and dy > 0. The product
// needs up to 66 bits, so wide operands go through 128-bit arithmetic.
inline std::int64_t CeilOfScaledRatio(std::int64_t t, std::int64_t dx, std::int64_t dy)
{
    // Small cells divide small numbers, which 32-bit division does faster.
    constexpr std::int64_t Small = std::int64_t { 1 } << 15;
    if (t < Small && dx > -Small && dx < Small && dy < (std::int64_t { 1 } << 31)) {
        std::int32_t const numerator = static_cast<std::int32_t>(t * dx);
        std::int32_t const denominator = static_cast<std::int32_t>(dy);
        std::int32_t quotient = numerator / denominator;
        if (numerator % denominator != 0 && numerator > 0)
            ++quotient;
        return quotient;
    }
    constexpr std::int64_t Narrow = std::int64_t { 1 } << 30;
    if (t < Narrow && dx > -Narrow && dx < Narrow)
        return CeilDiv(t * dx, dy);
    __int128 const numerator = static_cast<__int128>(t) * dx;
    __int128 quotient = numerator / dy;
    if (numerator % dy != 0 && numerator > 0)
        ++quotient;
    return static_cast<std::int64_t>(quotient);
}

constexpr std::int64_t Clamp64(std::int64_t value, std::int64_t low, std::int64_t high)
{
    return std::min(std::max(value, low), high);
}

} // namespace raster
