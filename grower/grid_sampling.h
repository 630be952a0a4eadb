#pragma once

#include <cstdint>
#include <vector>

// Which grid point each pixel of a width x height picture of the whole grid
// shows: the one whose map cell covers the pixel's centre. Along an axis of
// `pixels` pixels over `n` grid points, pixel p shows index
// floor((2p + 1) * n / (2 * pixels)), in exact integer arithmetic, so every
// pixel is covered and pictures of one size line up pixel for pixel.
inline std::int32_t SampledIndex(std::int64_t pixel, std::int64_t pixels, std::int32_t n)
{
    return static_cast<std::int32_t>((2 * pixel + 1) * n / (2 * pixels));
}

// The grid column of every pixel column of a picture `width` pixels wide.
inline std::vector<std::int32_t> SampledColumns(std::int32_t width, std::int32_t n)
{
    std::vector<std::int32_t> columns(static_cast<std::size_t>(width));
    for (std::int32_t x = 0; x < width; ++x)
        columns[static_cast<std::size_t>(x)] = SampledIndex(x, width, n);
    return columns;
}
