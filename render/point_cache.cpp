#include "render/point_cache.h"

#include "render/elevation_pixels.h"
#include "render/float_conversion.h"

std::uint32_t const* PointCache::Pixels(Globe const& globe, KernelLevel level)
{
    bool const current = m_globe == &globe && m_generation == globe.Generation() && m_level == level;
    if (!current) {
        m_pixels.resize(GRID_POINT_COUNT);
        ElevationPixels(level, globe.Points(), GRID_POINT_COUNT, RoundToSingle(globe.GetMeanRadius()),
            RoundToSingle(globe.GetMaxRadius()), m_pixels.data());
        m_globe = &globe;
        m_generation = globe.Generation();
        m_level = level;
    }
    return m_pixels.data();
}
