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

// False only when the cut moves no point no farther than `radiusBound` from
// the centre whose direction lies in the cone.
//
// The test that the cut computes for P = |P| u differs from
// |P| (q . u) - |q|^2 by less than 1.2e-7 |q| (|P| + |q|) (see ReachOfCut),
// so it can pass only where q/|q| . u > |q| / r - 2.5e-7 for |q| < 1.0001 r.
// The cone's directions come as near to q's as
// cos(max(0, angle(axis, q) - half-angle)); that is held against
// |q| / (1.0001 r), the margin of CutMayReach, less 1e-6, which covers the
// test's rounding with room to spare.
inline bool CutMayReachCone(CutDirection const& cut, DirectionCone const& cone, double radiusBound)
{
    if (cone.angle >= 3.14 || !(cut.length > 0.0))
        return true;
    double const reach = cut.length / (radiusBound * 1.0001);
    if (reach >= 1.0)
        return false;
    double const axisCos = (cone.x * cut.x + cone.y * cut.y) + cone.z * cut.z;
    if (axisCos >= cone.cosAngle)
        return true;
    double const axisSin = std::sqrt(std::max(0.0, 1.0 - axisCos * axisCos));
    double const nearest = axisCos * cone.cosAngle + axisSin * cone.sinAngle;
    return nearest >= reach - 1e-6;
}
