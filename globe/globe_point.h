#pragma once

#include <cmath>

// A position relative to the globe centre, in single precision.
struct GlobePoint {
    float x;
    float y;
    float z;
};

// (a.z * b.z + a.y * b.y) + a.x * b.x, in double precision.
inline double Dot(GlobePoint a, GlobePoint b)
{
    double const zy = static_cast<double>(a.z) * b.z + static_cast<double>(a.y) * b.y;
    return zy + static_cast<double>(a.x) * b.x;
}

// A point's distance from the centre: h = sqrt(x^2 + y^2), then
// sqrt(h^2 + z^2), in double precision. The statistics and both renderers
// use this one rule.
inline double PointRadius(float x, float y, float z)
{
    double const dx = x;
    double const dy = y;
    double const dz = z;
    double const h = std::sqrt(dx * dx + dy * dy);
    return std::sqrt(h * h + dz * dz);
}

inline double PointRadius(GlobePoint p)
{
    return PointRadius(p.x, p.y, p.z);
}
