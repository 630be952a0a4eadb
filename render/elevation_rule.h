// The elevation colours, each of their numbers defined here alone and their
// arithmetic written once: where sea level lies between the globe's mean and
// maximum radius, where the band of near-white peaks starts, and the three
// channels of a radius before they are cut to bytes. ElevationColor is the
// rule for one radius; the pixel kernels run the same template on lanes.
#pragma once

#include "render/float_conversion.h"
#include "simd/lanes.h"

// Sea level lies this fraction of the way from the mean radius to the
// maximum radius.
inline constexpr double SEA_LEVEL_FRACTION = 0.1;

// The peak band starts strictly above this value of the land fraction times
// 255.
inline constexpr double PEAK_THRESHOLD = 253.0;

// The sea level in double precision: the difference of the two radii first,
// then its fraction, then the mean added.
inline double SeaLevel(float meanRadius, float maxRadius)
{
    double const mean = meanRadius;
    double const max = maxRadius;
    return mean + (max - mean) * SEA_LEVEL_FRACTION;
}

// The channels of a colour before each is cut to its byte.
template<typename Real>
struct ElevationChannels {
    Real red;
    Real green;
    Real blue;
};

// A value rounded to the nearest float and back: for one value without
// undefined behaviour whatever it is, for lanes by the instruction.
inline double RoundedToSingle(double value)
{
    return RoundToSingle(value);
}

#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wpsabi"

template<typename Lanes>
[[gnu::always_inline]] inline Lanes RoundedToSingle(Lanes value)
{
    return simd::Widen(simd::Narrow(value));
}

// The channels of radius r (already rounded to single precision) for a sea
// level and the span from it to the maximum radius. t is the land fraction;
// below sea level it is exactly minus the depth fraction
// (seaLevel - r) / span, so 100 t + 255 is exactly 255 - 100 * depth. A NaN
// fails every comparison and lands in the sea.
template<typename Real>
[[gnu::always_inline]] inline ElevationChannels<Real> ElevationChannelsOf(Real r, double seaLevel, double span)
{
    Real const t = (r - seaLevel) / span;
    auto const land = r >= seaLevel;
    Real const p = t * 255.0;
    auto const peak = p > PEAK_THRESHOLD;
    Real const none = Real {};
    Real const nearWhite = none + 254.0;
    return {
        land ? (peak ? RoundedToSingle(p) : 220.0 * t + 34.0) : none,
        land ? (peak ? nearWhite : 85.0 * t + 171.0) : none,
        land ? (peak ? nearWhite : 75.0 * t + 65.0) : t * 100.0 + 255.0,
    };
}

#pragma GCC diagnostic pop
