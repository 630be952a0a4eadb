#include "render/point_cache.h"

#include "render/elevation_pixels.h"
#include "render/float_conversion.h"

#include <vector>

namespace {

struct Key {
    Globe const* globe = nullptr;
    unsigned long long generation = 0;
    KernelLevel level = KernelLevel::Portable;

    bool Matches(Globe const& current, KernelLevel currentLevel) const
    {
        return globe == &current && generation == current.Generation() && level == currentLevel;
    }
};

Key g_pixelsKey;
std::vector<std::uint32_t> g_pixels;

}

std::uint32_t const* CurrentPointPixels(Globe const& globe, KernelLevel level)
{
    if (!g_pixelsKey.Matches(globe, level)) {
        g_pixels.resize(GRID_POINT_COUNT);
        ElevationPixels(level, globe.Points(), GRID_POINT_COUNT, RoundToSingle(globe.GetMeanRadius()),
            RoundToSingle(globe.GetMaxRadius()), g_pixels.data());
        g_pixelsKey = { &globe, globe.Generation(), level };
    }
    return g_pixels.data();
}

void ForgetPointCaches()
{
    g_pixelsKey = {};
}
