#pragma once

#include "globe/globe_point.h"
#include "grower/grower_options.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

// How a heightmap file is stored, told by its extension.
enum class HeightmapFormat {
    Png,   // .png: 16-bit greyscale PNG
    Raw16, // .r16: unsigned 16-bit little-endian samples, top row first, no header
    Raw32, // .r32: float32 little-endian radii, top row first, no header
    Exr,   // .exr: OpenEXR, one float channel of radii
};

// The format for a file name, by its extension in any letter case; none for
// any other extension.
std::optional<HeightmapFormat> HeightmapFormatOf(std::string const& path);

char const* HeightmapFormatName(HeightmapFormat format);

// ".png, .r16, .r32 or .exr", for messages.
std::string HeightmapExtensions();

// False for a format this build has no encoder for.
bool HeightmapFormatWritable(HeightmapFormat format);

// 16 for the formats that map a range of radii to whole numbers, 32 for
// those that hold the radii themselves.
int HeightmapBits(HeightmapFormat format);

// The smallest and largest point radius on a grid.
struct RadiusRange {
    double min;
    double max;
};

RadiusRange GridRadiusRange(GlobePoint const* points, std::size_t count);

// round(65535 * (radius - min) / (max - min)), clamped to 0..65535; 0 for every radius when the
// range is empty.
std::uint16_t HeightValue(double radius, RadiusRange range);

