#include "grower/texture_export.h"

#include "render/elevation_color.h"
#include "render/float_conversion.h"
#include "grower/grid_sampling.h"
#include "grower/png_writer.h"

ElevationColors GridColors(GlobePoint const* points, std::size_t count, double meanRadius, double maxRadius)
{
    ElevationColors result { RoundToSingle(meanRadius), RoundToSingle(maxRadius), std::vector<std::uint32_t>(count) };
    for (std::size_t i = 0; i < count; ++i) {
        float const radius = RoundToSingle(PointRadius(points[i]));
        result.colors[i] = ElevationColor(radius, result.meanRadius, result.maxRadius);
    }
    return result;
}

std::string WriteTexture(std::FILE* stream, ImageSize size, std::vector<std::uint32_t> const& colors,
    std::int32_t n, RowsWritten const& progress)
{
    std::vector<std::int32_t> const columns = SampledColumns(size.width, n);
    return WritePngRgb(stream, static_cast<std::uint32_t>(size.width), static_cast<std::uint32_t>(size.height),
        [&](std::uint32_t row, std::uint8_t* rgb) {
            std::size_t const rowStart
                = static_cast<std::size_t>(SampledIndex(row, size.height, n)) * static_cast<std::size_t>(n);
            for (std::size_t x = 0; x < columns.size(); ++x) {
                std::uint32_t const color = colors[rowStart + static_cast<std::size_t>(columns[x])];
                rgb[3 * x] = static_cast<std::uint8_t>(color & 0xFF);
                rgb[3 * x + 1] = static_cast<std::uint8_t>((color >> 8) & 0xFF);
                rgb[3 * x + 2] = static_cast<std::uint8_t>((color >> 16) & 0xFF);
            }
            progress(static_cast<std::int32_t>(row) + 1);
        });
}
