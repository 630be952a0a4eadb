#pragma once

#include "globe/globe_point.h"

// The radius of the sphere every planet starts from.
inline constexpr float GLOBE_RADIUS = 2000.0f;

// The double nearest to pi.
inline constexpr double SPHERE_PI = 3.14159265358979323846;

// The point of the starting sphere at polar angle theta (from +z) and
// longitude phi (from +x towards +y), given the angles' cosines and sines:
// z = cos theta * r, x = (cos phi * r) * sin theta and
// y = (sin phi * r) * sin theta, each formed in double precision and
// rounded to single precision.
inline GlobePoint SpherePoint(double cosTheta, double sinTheta, double cosPhi, double sinPhi)
{
    double const r = GLOBE_RADIUS;
    return { static_cast<float>((cosPhi * r) * sinTheta), static_cast<float>((sinPhi * r) * sinTheta),
        static_cast<float>(cosTheta * r) };
}
