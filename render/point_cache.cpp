#include "render/point_cache.h"

#include "render/elevation_pixels.h"
#include "render/float_conversion.h"

#include <cstddef>

namespace {

struct Key {
    Globe const* globe = nullptr;
    unsigned long long generation = 0;

    bool Matches(Globe const& current) const { return globe == &current && generation == current.Generation(); }
};

Key g_pixelsKey;
std::vector<std::uint32_t> g_pixels;

Key g_viewKey;
ViewPoints g_viewPoints;

std::int8_t SideOf(float z)
{
    return z < 0 ? -1 : (z > 0 ? 1 : 0);
}

}

std::uint32_t const* CurrentPointPixels(Globe const& globe)
{
    if (!g_pixelsKey.Matches(globe)) {
        g_pixels.resize(GRID_POINT_COUNT);
        ElevationPixels(globe.Points(), GRID_POINT_COUNT, RoundToSingle(globe.GetMeanRadius()),
            RoundToSingle(globe.GetMaxRadius()), g_pixels.data());
        g_pixelsKey = { &globe, globe.Generation() };
    }
    return g_pixels.data();
}

ViewPoints const& CurrentViewPoints(Globe const& globe)
{
    if (g_viewKey.Matches(globe))
        return g_viewPoints;
    std::uint32_t const* const pixels = CurrentPointPixels(globe);
    ViewPoints& view = g_viewPoints;
    view.x.resize(GRID_POINT_COUNT);
    view.y.resize(GRID_POINT_COUNT);
    view.side.resize(GRID_POINT_COUNT);
    view.pixel.resize(GRID_POINT_COUNT);
    // Read row by row, in memory order; written column by column, in a few
    // columns at a time so that the rows written stay in the cache.
    constexpr int COLUMN_BLOCK = 16;
    GlobePoint const* const points = globe.Points();
    for (int firstColumn = 0; firstColumn < GRID_N; firstColumn += COLUMN_BLOCK) {
        int const endColumn = firstColumn + COLUMN_BLOCK < GRID_N ? firstColumn + COLUMN_BLOCK : GRID_N;
        for (int row = 0; row < GRID_N; ++row) {
            for (int column = firstColumn; column < endColumn; ++column) {
                std::size_t const from = static_cast<std::size_t>(row) * GRID_N + column;
                std::size_t const to = static_cast<std::size_t>(column) * GRID_N + row;
                GlobePoint const p = points[from];
                view.x[to] = TruncateToInt(p.x);
                view.y[to] = TruncateToInt(p.y);
                view.side[to] = SideOf(p.z);
                view.pixel[to] = pixels[from];
            }
        }
    }
    g_viewKey = { &globe, globe.Generation() };
    return view;
}

void ForgetPointCaches()
{
    g_pixelsKey = {};
    g_viewKey = {};
}
