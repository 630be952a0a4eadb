#include "grower/texture_export.h"

#include "render/elevation_color.h"
#include "render/float_conversion.h"

ElevationColors GridColors(GlobePoint const* points, std::size_t count, double meanRadius, double maxRadius)
{
    ElevationColors result { RoundToSingle(meanRadius), RoundToSingle(maxRadius), std::vector<std::uint32_t>(count) };
    for (std::size_t i = 0; i < count; ++i) {
        float const radius = RoundToSingle(PointRadius(points[i]));
        result.colors[i] = ElevationColor(radius, result.meanRadius, result.maxRadius);
    }
    return result;
}
