#include "render/elevation_color.h"

#include "render/elevation_rule.h"

#include <cstdint>

namespace {

COLORREF PackColor(std::uint8_t red, std::uint8_t green, std::uint8_t blue)
{
    return static_cast<COLORREF>(red) | static_cast<COLORREF>(green) << 8 | static_cast<COLORREF>(blue) << 16;
}

}

COLORREF ElevationColor(float radius, float meanRadius, float maxRadius)
{
    double const seaLevel = SeaLevel(meanRadius, maxRadius);
    double const span = static_cast<double>(maxRadius) - seaLevel;
    ElevationChannels<double> const channels = ElevationChannelsOf<double>(radius, seaLevel, span);
    return PackColor(ColorChannel(channels.red), ColorChannel(channels.green), ColorChannel(channels.blue));
}
