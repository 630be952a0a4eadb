#include "render/point_cache.h"

#include "render/elevation_pixels.h"
#include "render/float_conversion.h"

#include <vector>

namespace {

struct Key {
    Globe const* globe = nullptr;
    unsigned long long generation = 0;

    bool Matches(Globe const& current) const { return globe == &current && generation == current.Generation(); }
};

Key g_pixelsKey;
std::vector<std::uint32_t> g_pixels;

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

void ForgetPointCaches()
{
    g_pixelsKey = {};
}
