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

// Writes the colours of an n x n grid as an 8-bit RGB PNG of `size`, each
// pixel sampled exactly as the heightmap samples it. Empty on success, else
// why it failed.
std::string WriteTexture(std::FILE* stream, ImageSize size, std::vector<std::uint32_t> const& colors,
    std::int32_t n, RowsWritten const& progress);
