#include "grower/heightmap_export.h"

#include "grower/grid_sampling.h"
#include "grower/png_writer.h"

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

// Fills `values` with the heights row `y` of the picture shows.
void SampleRow(std::int32_t y, ImageSize size, std::vector<std::int32_t> const& columns,
    std::vector<std::uint16_t> const& heights, std::int32_t n, std::uint16_t* values)
{
    std::size_t const rowStart = static_cast<std::size_t>(SampledIndex(y, size.height, n)) * static_cast<std::size_t>(n);
    for (std::size_t x = 0; x < columns.size(); ++x)
        values[x] = heights[rowStart + static_cast<std::size_t>(columns[x])];
}

std::string WriteRaw16(std::FILE* stream, ImageSize size, std::vector<std::int32_t> const& columns,
    std::vector<std::uint16_t> const& heights, std::int32_t n, RowsWritten const& progress)
{
    std::vector<std::uint16_t> values(columns.size());
    std::vector<unsigned char> bytes(columns.size() * 2);
    for (std::int32_t y = 0; y < size.height; ++y) {
        SampleRow(y, size, columns, heights, n, values.data());
        for (std::size_t x = 0; x < values.size(); ++x) {
            bytes[2 * x] = static_cast<unsigned char>(values[x] & 0xFF);
            bytes[2 * x + 1] = static_cast<unsigned char>(values[x] >> 8);
        }
        if (std::fwrite(bytes.data(), 1, bytes.size(), stream) != bytes.size())
            return "write failed";
        progress(y + 1);
    }
    return {};
}

}

std::optional<HeightmapFormat> HeightmapFormatOf(std::string const& path)
{
    std::string const extension = LowerCaseExtension(path);
    if (extension == ".png")
        return HeightmapFormat::Png;
    if (extension == ".r16")
        return HeightmapFormat::Raw16;
    return std::nullopt;
}

char const* HeightmapFormatName(HeightmapFormat format)
{
    return format == HeightmapFormat::Png ? "png" : "r16";
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
    // The quotient can only stray past the ends by rounding; keep it inside.
    return static_cast<std::uint16_t>(std::clamp(value, 0.0, 65535.0));
}

std::vector<std::uint16_t> GridHeights(GlobePoint const* points, std::size_t count, RadiusRange range)
{
    std::vector<std::uint16_t> heights(count);
    for (std::size_t i = 0; i < count; ++i)
        heights[i] = HeightValue(PointRadius(points[i]), range);
    return heights;
}

std::string WriteHeightmap(std::FILE* stream, HeightmapFormat format, ImageSize size,
    std::vector<std::uint16_t> const& heights, std::int32_t n, RowsWritten const& progress)
{
    std::vector<std::int32_t> const columns = SampledColumns(size.width, n);
    if (format == HeightmapFormat::Raw16)
        return WriteRaw16(stream, size, columns, heights, n, progress);
    return WritePngGray16(stream, static_cast<std::uint32_t>(size.width), static_cast<std::uint32_t>(size.height),
        [&](std::uint32_t row, std::uint16_t* values) {
            SampleRow(static_cast<std::int32_t>(row), size, columns, heights, n, values);
            progress(static_cast<std::int32_t>(row) + 1);
        });
}
