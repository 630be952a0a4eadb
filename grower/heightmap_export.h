#pragma once

#include "globe/globe_point.h"
#include "grower/grower_options.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <optional>
#include <string>
#include <vector>

// How a heightmap file is stored, told by its extension.
enum class HeightmapFormat {
    Png,   // .png: 16-bit greyscale PNG
    Raw16, // .r16: unsigned 16-bit little-endian samples, top row first, no header
};

// The format for a file name, by its extension in any letter case; none for
// any other extension.
std::optional<HeightmapFormat> HeightmapFormatOf(std::string const& path);

char const* HeightmapFormatName(HeightmapFormat format);

// The smallest and largest point radius on a grid.
struct RadiusRange {
    double min;
    double max;
};

RadiusRange GridRadiusRange(GlobePoint const* points, std::size_t count);

// round(65535 * (radius - min) / (max - min)); 0 for every radius when the
// range is empty.
std::uint16_t HeightValue(double radius, RadiusRange range);

// HeightValue of every point, in grid order.
std::vector<std::uint16_t> GridHeights(GlobePoint const* points, std::size_t count, RadiusRange range);

// Called after each row written, with the rows done so far.
using RowsWritten = std::function<void(std::int32_t rows)>;

// Writes the heightmap of an n x n grid's `heights` at `size`, each pixel the
// grid point its centre falls on. Empty on success, else why it failed.
std::string WriteHeightmap(std::FILE* stream, HeightmapFormat format, ImageSize size,
    std::vector<std::uint16_t> const& heights, std::int32_t n, RowsWritten const& progress);
