#pragma once

#include "simd/lanes.h"

// A position relative to the globe centre, in single precision.
struct GlobePoint {
    float x;
    float y;
    float z;
};

// The two rules below are written once for one point's doubles and for
// lanes of points (GCC vector types). Lanes wider than the caller's
// registers pass by value only through these always-inlined templates,
// never across a call.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wpsabi"

// (a.z * b.z + a.y * b.y) + a.x * b.x, for doubles or lanes of them (a may
// be doubles against lanes b).
template<typename A, typename B>
[[gnu::always_inline]] inline auto DotOf(A ax, A ay, A az, B bx, B by, B bz)
{
    return (az * bz + ay * by) + ax * bx;
}

// A point's distance from the centre: h = sqrt(x^2 + y^2), then
// sqrt(h^2 + z^2), in double precision. The statistics and both renderers
// use this one rule.
template<typename Real>
[[gnu::always_inline]] inline Real RadiusOf(Real x, Real y, Real z)
{
    Real const h = simd::SquareRoot(x * x + y * y);
    return simd::SquareRoot(h * h + z * z);
}

#pragma GCC diagnostic pop

inline double Dot(GlobePoint a, GlobePoint b)
{
    return DotOf<double, double>(a.x, a.y, a.z, b.x, b.y, b.z);
}

inline double PointRadius(float x, float y, float z)
{
    return RadiusOf<double>(x, y, z);
}

inline double PointRadius(GlobePoint p)
{
    return PointRadius(p.x, p.y, p.z);
}
