#include "render/elevation_color.h"

#include "render/elevation_rule.h"
#include "render/float_conversion.h"

#include <cstdint>

namespace {

COLORREF PackColor(std::uint8_t red, std::uint8_t green, std::uint8_t blue)
{
    return static_cast<COLORREF>(red) | static_cast<COLORREF>(green) << 8 | static_cast<COLORREF>(blue) << 16;
}

}

COLORREF ElevationColor(float radius, float meanRadius, float maxRadius)
{
    double const r = radius;
    double const seaLevel = SeaLevel(meanRadius, maxRadius);
    double const span = static_cast<double>(maxRadius) - seaLevel;

    // A NaN anywhere fails this test and lands in the ocean.
    if (!(r >= seaLevel)) {
        double const depth = (seaLevel - r) / span;
        return PackColor(0, 0, ColorChannel(depth * -100.0 + 255.0));
    }

    double const t = (r - seaLevel) / span;
    double const p = t * 255.0;
    if (p > PEAK_THRESHOLD)
        return PackColor(ColorChannel(RoundToSingle(p)), 254, 254);

    return PackColor(ColorChannel(220.0 * t + 34.0), ColorChannel(85.0 * t + 171.0), ColorChannel(75.0 * t + 65.0));
}
