// What every drawing of one state of a globe shares, worked out once per
// state instead of once per cell and drawing: the map, the two views and
// later paints of one batch read the same colours. Remade when the globe
// drawn, its generation or the kernel level changes.
#pragma once

#include "globe/globe.h"
#include "simd/kernel_level.h"

#include <cstdint>
#include <vector>

class PointCache {
public:
    // The elevation pixel of every grid point of `globe`, row by row
    // (pixels[row * GRID_N + column]), worked out with the colour form of
    // `level`. Valid until the next call or Forget.
    std::uint32_t const* Pixels(Globe const& globe, KernelLevel level);

    // Drops what is cached, so that the next call works it out again.
    void Forget() { m_globe = nullptr; }

private:
    Globe const* m_globe = nullptr;
    unsigned long long m_generation = 0;
    KernelLevel m_level = KernelLevel::Portable;
    std::vector<std::uint32_t> m_pixels;
};
