#include "grower/heightmap_export.h"

#include <algorithm>
#include <cmath>
#include <filesystem>

namespace {

std::string LowerCaseExtension(std::string const& path)
{
    std::string extension = std::filesystem::path(path).extension().string();
    std::transform(extension.begin(), extension.end(), extension.begin(),
        [](unsigned char c) { return static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c); });
    return extension;
}

}

std::optional<HeightmapFormat> HeightmapFormatOf(std::string const& path)
{
    std::string const extension = LowerCaseExtension(path);
    if (extension == ".png")
        return HeightmapFormat::Png;
    if (extension == ".r16")
        return HeightmapFormat::Raw16;
    if (extension == ".r32")
        return HeightmapFormat::Raw32;
    if (extension == ".exr")
        return HeightmapFormat::Exr;
    return std::nullopt;
}

char const* HeightmapFormatName(HeightmapFormat format)
{
    switch (format) {
    case HeightmapFormat::Png:
        return "png";
    case HeightmapFormat::Raw16:
        return "r16";
    case HeightmapFormat::Raw32:
        return "r32";
    case HeightmapFormat::Exr:
        return "exr";
    }
    return "?";
}

std::string HeightmapExtensions()
{
    return ".png, .r16, .r32 or .exr";
}

bool HeightmapFormatWritable(HeightmapFormat format)
{
#ifdef MORVA_HAS_OPENEXR
    bool const exr = true;
#else
    bool const exr = false;
#endif
    return exr || format != HeightmapFormat::Exr;
}

int HeightmapBits(HeightmapFormat format)
{
    return format == HeightmapFormat::Png || format == HeightmapFormat::Raw16 ? 16 : 32;
}

RadiusRange GridRadiusRange(GlobePoint const* points, std::size_t count)
{
    RadiusRange range { PointRadius(points[0]), PointRadius(points[0]) };
    for (std::size_t i = 1; i < count; ++i) {
        double const radius = PointRadius(points[i]);
        range.min = std::min(range.min, radius);
        range.max = std::max(range.max, radius);
    }
    return range;
}

std::uint16_t HeightValue(double radius, RadiusRange range)
{
    if (!(range.max > range.min))
        return 0;
    double const value = std::round(65535.0 * (radius - range.min) / (range.max - range.min));
    // A radius outside the range (one given with --height-range) is clamped.
    return static_cast<std::uint16_t>(std::clamp(value, 0.0, 65535.0));
}
