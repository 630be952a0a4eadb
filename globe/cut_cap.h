#pragma once

#include "globe/cut.h"

#include <cmath>

// Culling by direction. A cut can move a point P only when
// |P| cos(angle(P, q)) > |q|, so only points whose direction lies within
// acos(|q| / r) of q's, r a bound on their radii: the cut's cap of
// directions. Directions barely change (scaling moves a point along its own
// ray, up to the rounding of its coordinates), so a group of points whose
// directions lie in a cone meets the cap only when the cone does.

// A cone of directions: its unit axis and its half-angle.
struct DirectionCone {
    double x;
    double y;
    double z;
    double angle;
};

// The directions a cut may move points along, widened by `drift`, the most
// any point's direction may have turned from where it started.
struct CutCap {
    double x; // the unit direction of q
    double y;
    double z;
    double angle; // the cap's half-angle with the drift, above pi when it holds every direction
    double cosAngle;
    double sinAngle;
};

// The cap of a cut on points no farther than `radiusBound` from the centre,
// with the same margin as CutMayReach: the test's rounding never moves a
// point outside it.
inline CutCap CapOfCut(Cut const& cut, double radiusBound, double drift)
{
    double const qx = cut.q.x;
    double const qy = cut.q.y;
    double const qz = cut.q.z;
    double const length = std::sqrt((qx * qx + qy * qy) + qz * qz);
    CutCap cap { 0.0, 0.0, 1.0, 4.0, -1.0, 0.0 }; // q at the centre: every direction
    if (!(length > 0.0))
        return cap;
    cap.x = qx / length;
    cap.y = qy / length;
    cap.z = qz / length;
    double const reach = length / (radiusBound * 1.0001);
    cap.angle = (reach >= 1.0 ? 0.0 : std::acos(reach)) + drift;
    cap.cosAngle = std::cos(cap.angle);
    cap.sinAngle = std::sin(cap.angle);
    return cap;
}

// False only when no direction of the cone lies in the cap:
// angle(axis, q) > cone angle + cap angle.
inline bool CapMeetsCone(CutCap const& cap, DirectionCone const& cone, double coneCos, double coneSin)
{
    if (cap.angle + cone.angle >= 3.14)
        return true;
    // cos(cone + cap), the cosine of the widest angle between the axis and
    // a direction the cap and the cone share, with room for its rounding.
    double const widest = coneCos * cap.cosAngle - coneSin * cap.sinAngle;
    double const axisCos = (cone.x * cap.x + cone.y * cap.y) + cone.z * cap.z;
    return axisCos >= widest - 1e-9;
}
