#pragma once

#include "globe/globe_point.h"
#include "grower/grower_options.h"
#include "grower/heightmap_export.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

// The elevation colours of the globe, as the map paints its cells: each
// point's radius and the two statistics rounded to single precision.
struct ElevationColors {
    float meanRadius;
    float maxRadius;
    std::vector<std::uint32_t> colors; // 0x00BBGGRR per point, in grid order
};

ElevationColors GridColors(GlobePoint const* points, std::size_t count, double meanRadius, double maxRadius);

// The sea level of the colour rule for these statistics: a tenth of the way
// from the mean to the maximum.
double SeaLevelRadius(float meanRadius, float maxRadius);
