#pragma once

#include <cstdint>

// Which grid point each pixel of a width x height picture of the whole grid
// shows: the one whose map cell covers the pixel's centre. Along an axis of
// `pixels` pixels over `n` grid points, pixel p shows index
// floor((2p + 1) * n / (2 * pixels)), in exact integer arithmetic, so every
// pixel is covered and pictures of one size line up pixel for pixel.
inline std::int32_t SampledIndex(std::int64_t pixel, std::int64_t pixels, std::int32_t n)
{
    return static_cast<std::int32_t>((2 * pixel + 1) * n / (2 * pixels));
}
