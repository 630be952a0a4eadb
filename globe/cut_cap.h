#pragma once

#include "globe/cut.h"

#include <algorithm>
#include <cmath>

// Culling by direction. A cut can move a point P only when
// |P| cos(angle(P, q)) > |q|, so only points whose direction lies within
// acos(|q| / r) of q's, r a bound on their radii: the cut's cap of
// directions. Directions barely change (scaling moves a point along its own
// ray, up to the rounding of its coordinates), so a group of points whose
// directions lie in a cone meets the cap only when the cone does.

// A cone of directions: its unit axis and its half-angle, with the
// half-angle's cosine and sine.
struct DirectionCone {
    double x;
    double y;
    double z;
    double angle;
    double cosAngle;
    double sinAngle;
};

// The cone about a unit axis with the given half-angle.
inline DirectionCone ConeAbout(double x, double y, double z, double angle)
{
    return { x, y, z, angle, std::cos(angle), std::sin(angle) };
}

// A cut's direction and distance from the centre, worked out once a run.
struct CutDirection {
    double x; // the unit direction of q, (0, 0, 1) for q at the centre
    double y;
    double z;
    double length; // |q|
};

inline CutDirection DirectionOfCut(Cut const& cut)
{
    double const qx = cut.q.x;
    double const qy = cut.q.y;
    double const qz = cut.q.z;
    double const length = std::sqrt((qx * qx + qy * qy) + qz * qz);
    if (!(length > 0.0))
        return { 0.0, 0.0, 1.0, 0.0 };
    return { qx / length, qy / length, qz / length, length };
}

// How near a cone's directions come to a cut's: the largest q/|q| . u over
// the directions u of the cone, cos(max(0, angle(axis, q) - half-angle)).
// Every direction counts for a cone wider than the sphere's half-turn, and
// for q at the centre.
inline double NearestCosine(CutDirection const& cut, DirectionCone const& cone)
{
    if (cone.angle >= 3.14 || !(cut.length > 0.0))
        return 1.0;
    double const axisCos = (cone.x * cut.x + cone.y * cut.y) + cone.z * cut.z;
    if (axisCos >= cone.cosAngle)
        return 1.0;
    double const axisSin = std::sqrt(std::max(0.0, 1.0 - axisCos * axisCos));
    return axisCos * cone.cosAngle + axisSin * cone.sinAngle;
}

// False only when the cut moves no point no farther than `radiusBound` from
// the centre whose direction comes no nearer to q's than `nearestCosine`
// (see NearestCosine).
//
// The test that the cut computes for P = |P| u differs from
// |P| (q . u) - |q|^2 by less than 1.2e-7 |q| (|P| + |q|) (see ReachOfCut),
// so it can pass only where q/|q| . u > |q| / r - 2.5e-7 for |q| < 1.0001 r.
// The nearest cosine is held against |q| / (1.0001 r), the margin of
// CutMayReach, less 1e-6, which covers the test's rounding with room to
// spare; both sides are multiplied by 1.0001 r, so no division stands in
// the way of the next cut's bound.
inline bool CutMayReachCone(CutDirection const& cut, double nearestCosine, double radiusBound)
{
    double const reach = radiusBound * 1.0001;
    if (!(cut.length > 0.0))
        return true;
    return cut.length < reach && nearestCosine * reach >= cut.length - 1e-6 * reach;
}
