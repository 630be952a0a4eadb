#pragma once

#include "grower/grower_options.h"
#include "grower/heightmap_export.h"

#include <cstdint>
#include <cstdio>
#include <functional>
#include <string>

// Row y of a picture's radii, `width` of them, asked for top to bottom; null
// when they cannot be had (the run is failing), which ends the file.
using RadiusRowSource = std::function<double const*(std::int32_t y)>;

// Writes a heightmap of `size`: each radius as a 16-bit HeightValue in
// `range`, or rounded to single precision, as `format` holds it. Empty on
// success, else why it failed.
std::string WriteHeightSamples(std::FILE* stream, HeightmapFormat format, ImageSize size, RadiusRange range,
    RadiusRowSource const& rows);

// Writes the elevation colour of each radius rounded to single precision,
// with the statistics rounded as the views round them, as an 8-bit RGB PNG.
std::string WriteColorSamples(std::FILE* stream, ImageSize size, float meanRadius, float maxRadius,
    RadiusRowSource const& rows);
