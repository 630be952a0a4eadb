// The dissection's cut rule, written once for one point (a GlobePoint) and
// for lanes of points (PointLanes): the scalar form is the reference, each
// vector form the same operations lane by lane.
#pragma once

#include "globe/globe_point.h"
#include "simd/lanes.h"

// Lanes wider than the caller's registers pass by value only through these
// always-inlined templates, never across a call.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wpsabi"

// A point P lies beyond the cut through q when q . (P - q) > 0, the
// difference rounded to single precision coordinate by coordinate and the
// dot product taken in double precision. A bool for one point, a mask for
// lanes of points.
template<typename Points>
[[gnu::always_inline]] inline auto BeyondCut(Points const& p, GlobePoint q)
{
    using simd::Widen;
    return DotOf(Widen(q.x), Widen(q.y), Widen(q.z), Widen(p.x - q.x), Widen(p.y - q.y), Widen(p.z - q.z)) > 0.0;
}

// The points where `beyond` holds (true, or a lane mask) with each
// coordinate times the factor in double precision, rounded back to single
// precision; the others as they are.
template<typename Mask, typename Points>
[[gnu::always_inline]] inline Points ScaledWhere(Mask beyond, Points const& p, double factor)
{
    using simd::Narrow;
    using simd::Widen;
    return { Narrow(beyond ? Widen(p.x) * factor : Widen(p.x)), Narrow(beyond ? Widen(p.y) * factor : Widen(p.y)),
        Narrow(beyond ? Widen(p.z) * factor : Widen(p.z)) };
}

// Scales the points beyond the cut through q; lanes all short of it are
// left at once.
template<typename Points>
[[gnu::always_inline]] inline void ApplyCutTo(Points& p, GlobePoint q, double factor)
{
    auto const beyond = BeyondCut(p, q);
    if (simd::AnyLane(beyond))
        p = ScaledWhere(beyond, p, factor);
}

#pragma GCC diagnostic pop
