#pragma once

#include "globe/cut.h"

#include <cmath>

// What a tile of neighbouring grid points is known to satisfy: every point P
// has a direction within the cone of half-angle alpha around the unit axis,
// and a radius |P| in [minRadius, maxRadius]. A tile without a usable cone
// (wider than 30 degrees) is tested point by point against every cut.
struct TileBounds {
    double axisX;
    double axisY;
    double axisZ;
    double sinHalfAngle;
    double cosHalfAngle;
    double minRadius;
    double maxRadius;
    bool bounded;
};

// What a tile's points measure, read straight from their coordinates with
// respect to a unit axis a: the extremes of |P|^2 and of a . P, and the
// largest |P|^2 - (a . P)^2, which is |a x P|^2.
struct TileMeasure {
    double minRadiusSquared;
    double maxRadiusSquared;
    double minAxial;
    double maxPerpendicularSquared;
};

// Each scaling rounds the three coordinates to single precision, each by at
// most 2^-24 of itself (the double product adds 2^-53). That moves a point by
// at most 2^-24 (1 + 2^-28) of its radius, so it turns the point's direction
// by less than 2^-23 radians and changes its radius by less than 2^-23 of it.
inline constexpr double SCALE_ROUNDING = 1.0 / (1 << 23);

// The cone and radius range of a measured tile, widened so that they stay
// true through `sweepLength` further cuts. Between a point's measure and a
// cut of the sweep the point may have been scaled by each earlier cut, each
// time turning its direction by less than SCALE_ROUNDING: that is added to
// the half-angle here. The radius range is widened cut by cut instead
// (TileRadiiAfter), since it moves by much more.
TileBounds BoundTile(TileMeasure const& measure, double axisX, double axisY, double axisZ, int sweepLength);

// A cut with the quantities the tile test needs, worked out once per sweep.
struct CutPlane {
    Cut cut;
    double qq;     // |q|^2, exactly the double sum q.z^2 + q.y^2 + q.x^2
    double length; // |q|
    double unitX;  // q / |q|, zero for q = 0
    double unitY;
    double unitZ;
};

CutPlane MakeCutPlane(Cut const& cut);

enum class CutReach {
    Misses,  // the plane test is false for every point of the tile
    Covers,  // the plane test is true for every point of the tile
    Crosses, // the points must be tested one by one
};

// Whether a cut can move a tile's points, decided for all of them at once.
//
// The plane test computes dot = Dot(q, d) with d = P - q rounded to single
// precision coordinate by coordinate, and scales P when dot > 0. The exact
// value it approximates is E = q . (P - q) = |P| (q . u) - |q|^2, u the unit
// direction of P.
//
// Rounding of the test. Each d_i = (P_i - q_i)(1 + e_i) with |e_i| <= 2^-24.
// The products q_i d_i are exact in double (24-bit by 24-bit), and the two
// sums add at most 2^-52 of sum |q_i d_i|. By Cauchy-Schwarz
// sum |q_i| |P_i - q_i| <= |q| |P - q| <= |q| (|P| + |q|), so
//     |dot - E| < 2^-23 |q| (|P| + |q|) < 1.2e-7 |q| (maxRadius + |q|).
//
// Range of E over the tile. With theta the angle between q and the axis and
// alpha the cone's half-angle, the angle between q and u lies in
// [max(0, theta - alpha), min(pi, theta + alpha)], so q . u / |q| lies in
// [cMin, cMax]:
//     cMax = 1 when theta <= alpha, else cos(theta - alpha)
//          = cos theta cos alpha + sin theta sin alpha;
//     cMin = -1 when theta >= pi - alpha, else cos(theta + alpha)
//          = cos theta cos alpha - sin theta sin alpha.
// With r = |P| in [minRadius, maxRadius], r c is largest at maxRadius when
// c >= 0 and at minRadius when c < 0 (and the other way round for the
// smallest), which bounds E from above by eMax and from below by eMin.
//
// Rounding of the bound itself. Every quantity above is a handful of double
// operations on values of magnitude at most |q| (maxRadius + |q|); with
// sin theta taken as sqrt(1 - cos^2 theta), its error is below 1e-8 of that
// magnitude.
//
// Decision. Both errors together are far below
//     margin = 1e-5 |q| (maxRadius + |q|),
// so eMax < -margin makes the computed dot negative (not scaled) for every
// point of the tile, and eMin > margin makes it positive (scaled) for every
// point. Anything in between is tested point by point. For q = 0 every
// product in the dot is a zero, the dot is +0 or -0, and nothing moves.
inline CutReach ReachOfCut(CutPlane const& plane, TileBounds const& tile)
{
    if (plane.qq == 0.0)
        return CutReach::Misses;
    if (!tile.bounded)
        return CutReach::Crosses;
    double const cosTheta = plane.unitX * tile.axisX + plane.unitY * tile.axisY + plane.unitZ * tile.axisZ;
    double const margin = 1e-5 * plane.length * (tile.maxRadius + plane.length);
    // Most cuts miss most tiles by far: sin theta <= 1 gives a larger cMax
    // without the square root, and when even that misses, the cut misses.
    if (cosTheta < tile.cosHalfAngle) {
        double const roughMax = cosTheta * tile.cosHalfAngle + tile.sinHalfAngle;
        double const roughTop = roughMax >= 0.0 ? tile.maxRadius * roughMax : tile.minRadius * roughMax;
        if (plane.length * roughTop - plane.qq < -margin)
            return CutReach::Misses;
    }
    double const sinTheta = std::sqrt(cosTheta < 1.0 && cosTheta > -1.0 ? 1.0 - cosTheta * cosTheta : 0.0);
    double const cMax = cosTheta >= tile.cosHalfAngle ? 1.0
                                                      : cosTheta * tile.cosHalfAngle + sinTheta * tile.sinHalfAngle;
    double const cMin = cosTheta <= -tile.cosHalfAngle ? -1.0
                                                       : cosTheta * tile.cosHalfAngle - sinTheta * tile.sinHalfAngle;
    double const top = cMax >= 0.0 ? tile.maxRadius * cMax : tile.minRadius * cMax;
    double const bottom = cMin >= 0.0 ? tile.minRadius * cMin : tile.maxRadius * cMin;
    double const eMax = plane.length * top - plane.qq;
    double const eMin = plane.length * bottom - plane.qq;
    if (eMax < -margin)
        return CutReach::Misses;
    if (eMin > margin)
        return CutReach::Covers;
    return CutReach::Crosses;
}

// The tile's radius range after a cut with the given reach: a covering cut
// scales every point, a crossing one maybe some; each scaled radius is
// within SCALE_ROUNDING of its exact multiple. The cone needs no update: its
// widening for the sweep is already in it.
inline void TileRadiiAfter(TileBounds& tile, CutReach reach, double factor)
{
    if (reach == CutReach::Misses)
        return;
    double const raisedMax = tile.maxRadius * factor * (1.0 + SCALE_ROUNDING);
    double const loweredMin = tile.minRadius * factor * (1.0 - SCALE_ROUNDING);
    if (reach == CutReach::Covers) {
        tile.maxRadius = raisedMax;
        tile.minRadius = loweredMin;
    } else {
        tile.maxRadius = raisedMax > tile.maxRadius ? raisedMax : tile.maxRadius;
        tile.minRadius = loweredMin < tile.minRadius ? loweredMin : tile.minRadius;
    }
}
