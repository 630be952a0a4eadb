#pragma once

#include "globe/globe_point.h"

#include <cstddef>
#include <cstdint>
#include <vector>

// The elevation colours of the globe, as the map paints its cells: each
// point's radius and the two statistics rounded to single precision.
struct ElevationColors {
    float meanRadius;
    float maxRadius;
    std::vector<std::uint32_t> colors; // 0x00BBGGRR per point, in grid order
};

ElevationColors GridColors(GlobePoint const* points, std::size_t count, double meanRadius, double maxRadius);
