#include "grower/surface_radii.h"

#include "globe/point_growth.h"
#include "render/float_conversion.h"
#include "grower/grid_sampling.h"
#include "grower/pending_files.h"

#include <algorithm>
#include <memory>

std::int32_t StripRows(std::int32_t width)
{
    return static_cast<std::int32_t>(std::clamp<std::int64_t>((std::int64_t { 1 } << 20) / width, 16, 256));
}

SharedRows::MakeStrip RadiusMaker(SampleSurface const& surface, GrownGrid const& grid, std::vector<Cut> const& cuts,
    std::vector<float> const* kept)
{
    std::int32_t const width = surface.Width();
    if (kept) {
        return [kept, width](std::int32_t first, std::int32_t rows, double* out) {
            std::size_t const start = static_cast<std::size_t>(first) * static_cast<std::size_t>(width);
            std::size_t const count = static_cast<std::size_t>(rows) * static_cast<std::size_t>(width);
            std::copy_n(kept->begin() + static_cast<std::ptrdiff_t>(start), count, out);
        };
    }
    MapWindow const window = surface.window;
    if (!surface.face && surface.sampling == Sampling::Grid) {
        std::vector<std::int32_t> columns(static_cast<std::size_t>(width));
        for (std::int32_t x = 0; x < width; ++x)
            columns[static_cast<std::size_t>(x)] = SampledIndex(window.left + std::int64_t { x }, window.mapWidth, grid.n);
        return [columns = std::move(columns), window, &grid](std::int32_t first, std::int32_t rows, double* out) {
            for (std::int32_t r = 0; r < rows; ++r) {
                std::int64_t const y = window.top + std::int64_t { first } + r;
                GlobePoint const* row
                    = grid.points + static_cast<std::size_t>(SampledIndex(y, window.mapHeight, grid.n)) * grid.n;
                for (std::size_t x = 0; x < columns.size(); ++x)
                    out[static_cast<std::size_t>(r) * columns.size() + x] = PointRadius(row[columns[x]]);
            }
        };
    }
    std::shared_ptr<EquirectangularStarts const> starts;
    if (!surface.face)
        starts = std::make_shared<EquirectangularStarts const>(window);
    auto const points = std::make_shared<std::vector<GlobePoint>>(
        static_cast<std::size_t>(width) * static_cast<std::size_t>(StripRows(width)));
    return [starts, points, surface, &cuts](std::int32_t first, std::int32_t rows, double* out) {
        std::int32_t const width = surface.Width();
        if (starts)
            starts->Fill(first, rows, points->data());
        else
            FillCubeFaceStarts(*surface.face, surface.faceSize, first, rows, points->data());
        {
            // The growth's threads start with the signals held back, so
            // that every signal reaches the main thread.
            SignalsHeldBack const held;
            GrowPoints(points->data(), rows, width, cuts, GrowthThreads());
        }
        std::size_t const count = static_cast<std::size_t>(rows) * static_cast<std::size_t>(width);
        for (std::size_t i = 0; i < count; ++i)
            out[i] = RoundToSingle(PointRadius((*points)[i]));
    };
}
