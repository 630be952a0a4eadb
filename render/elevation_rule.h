// The numbers of the elevation colours, each defined here alone: where sea
// level lies between the globe's mean and maximum radius, and where the
// band of near-white peaks starts. Every form of the colour rule and every
// report of the sea level reads them from here.
#pragma once

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
