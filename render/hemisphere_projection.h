// The orthographic projection of the hemisphere views: the globe seen along
// its z axis, +x to the right and +y downwards, its maximum radius fitted to
// the largest disc centred in the target rectangle. Pure, no GDI.
#pragma once

#include "render/float_conversion.h"

#include <cstdint>

struct ProjectedPoint {
    std::int32_t x;
    std::int32_t y;
};

struct HemisphereProjection {
    std::int32_t centerX;
    std::int32_t centerY;
    float scale; // pixels per globe unit

    // trunc(center + trunc(coordinate) * scale): the coordinate is truncated
    // to an integer, scaled in double precision, the centre added, and the
    // sum truncated. Out-of-range values saturate to the int range at both
    // truncations and NaN becomes 0, so no input is undefined.
    ProjectedPoint Project(float x, float y) const
    {
        return { Axis(centerX, x), Axis(centerY, y) };
    }

private:
    std::int32_t Axis(std::int32_t center, float coordinate) const
    {
        double const scaled = TruncateToInt32(coordinate) * static_cast<double>(scale);
        return TruncateToInt32(center + scaled);
    }
};

// The disc's diameter is the smaller of the rectangle's width and height,
// its centre the rectangle's centre (integer halves, truncated toward zero),
// and the scale diameter / (2 * maxRadius) in double precision, rounded to
// single. Extents are taken in 64 bits, so any rectangle is safe.
inline HemisphereProjection MakeHemisphereProjection(
    std::int32_t left, std::int32_t top, std::int32_t right, std::int32_t bottom, float maxRadius)
{
    std::int64_t const width = static_cast<std::int64_t>(right) - left;
    std::int64_t const height = static_cast<std::int64_t>(bottom) - top;
    std::int64_t const side = width > height ? height : width;
    // Halfway between two ints always fits in an int.
    auto const centerX = static_cast<std::int32_t>(left + width / 2);
    auto const centerY = static_cast<std::int32_t>(top + height / 2);
    float const scale = RoundToSingle(static_cast<double>(side) / (2.0 * static_cast<double>(maxRadius)));
    return { centerX, centerY, scale };
}
