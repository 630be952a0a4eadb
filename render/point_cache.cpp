#include "render/point_cache.h"

#include "render/elevation_pixels.h"
#include "render/float_conversion.h"

std::uint32_t const* PointCache::Pixels(Globe const& globe, KernelLevel level)
{
    bool const current = m_globe == &globe && m_generation == globe.Generation() && m_level == level;
    if (!current) {
        m_pixels.resize(GRID_POINT_COUNT);
        float const mean = RoundToSingle(globe.GetMeanRadius());
        float const max = RoundToSingle(globe.GetMaxRadius());
        // The radii the statistics worked out, where they are current.
        if (double const* radii = globe.Radii())
            ElevationPixelsOfRadii(level, radii, GRID_POINT_COUNT, mean, max, m_pixels.data());
        else
            ElevationPixels(level, globe.Points(), GRID_POINT_COUNT, mean, max, m_pixels.data());
        m_globe = &globe;
        m_generation = globe.Generation();
        m_level = level;
    }
    return m_pixels.data();
}
