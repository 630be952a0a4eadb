#include "globe/tile_bounds.h"

TileBounds BoundTile(TileMeasure const& measure, double axisX, double axisY, double axisZ, int sweepLength)
{
    TileBounds tile { axisX, axisY, axisZ, 1.0, 0.0, 0.0, 0.0, false };
    // A point at or behind the axis's plane has no small angle to it; and a
    // degenerate tile (points at the centre) has no cone at all.
    if (!(measure.minAxial > 0.0) || !(measure.minRadiusSquared > 0.0))
        return tile;

    // |P|^2 and (a . P)^2 are each within a few 2^-53 of their magnitude
    // |P|^2 (a is unit to 2^-52), so the computed |P|^2 - (a . P)^2 is
    // within 1e-13 |P|^2 of |a x P|^2. Then for every point
    // sin^2 angle = |a x P|^2 / |P|^2 <= (max + slack) / min |P|^2.
    double const perpendicular = measure.maxPerpendicularSquared + 1e-13 * measure.maxRadiusSquared;
    double const sinSquared = (perpendicular > 0.0 ? perpendicular : 0.0) / measure.minRadiusSquared;
    double const sinAlpha = std::sqrt(sinSquared) * (1.0 + 1e-12) + 1e-12 + sweepLength * SCALE_ROUNDING;
    if (!(sinAlpha <= 0.5))
        return tile;

    tile.sinHalfAngle = sinAlpha;
    tile.cosHalfAngle = std::sqrt(1.0 - sinAlpha * sinAlpha);
    tile.minRadius = std::sqrt(measure.minRadiusSquared) * (1.0 - 1e-12);
    tile.maxRadius = std::sqrt(measure.maxRadiusSquared) * (1.0 + 1e-12);
    tile.bounded = true;
    return tile;
}

CutPlane MakeCutPlane(Cut const& cut)
{
    CutPlane plane {};
    plane.cut = cut;
    double const x = cut.q.x;
    double const y = cut.q.y;
    double const z = cut.q.z;
    plane.qq = (z * z + y * y) + x * x;
    plane.length = std::sqrt(plane.qq);
    if (plane.qq > 0.0) {
        plane.unitX = x / plane.length;
        plane.unitY = y / plane.length;
        plane.unitZ = z / plane.length;
    }
    return plane;
}
