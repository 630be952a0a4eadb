#pragma once

#include "globe/cut_rule.h"
#include "globe/globe_point.h"

#include <cstddef>

// One dissection pass: the plane through q, perpendicular to the line from
// the centre to q, and the factor that scales every point beyond it.
struct Cut {
    GlobePoint q;
    double factor;
};

inline constexpr double RAISE_FACTOR = 1.004;
inline constexpr double SINK_FACTOR = 0.996;

class RandomGenerator;

// Draws one cut: q.x, q.y, q.z, then the factor (four draws).
Cut DrawCut(RandomGenerator& generator);

// The same from g_random.
Cut DrawCut();

// The cut applied to one point (see BeyondCut and ScaledWhere): the
// reference every form of the dissection is held to.
inline GlobePoint ApplyCut(GlobePoint p, Cut const& cut)
{
    ApplyCutTo(p, cut.q, cut.factor);
    return p;
}

// True when the cut may move a point no farther than `radiusBound` from the
// centre. A cut point q with |q| > r lies beyond the whole ball of radius r:
// for |P| <= r, q . (P - q) <= |q| (|P| - |q|) < 0, and with a margin far
// above the rounding of the single-precision difference and the double dot
// product, the computed test is negative for every such point too.
inline bool CutMayReach(Cut const& cut, double radiusBound)
{
    double const qq = static_cast<double>(cut.q.x) * cut.q.x + static_cast<double>(cut.q.y) * cut.q.y
        + static_cast<double>(cut.q.z) * cut.q.z;
    double const reach = radiusBound * 1.0001;
    return qq < reach * reach;
}

// An upper bound on every point's radius after a cut that may have scaled
// points by its factor, given a bound before it. Each scaled coordinate is
// rounded to single precision, hence the small allowance.
inline double RadiusBoundAfter(Cut const& cut, double radiusBound)
{
    return cut.factor > 1.0 ? radiusBound * cut.factor * (1.0 + 1e-6) : radiusBound;
}

// Applies the cuts in order to every point. Pass-major: the straightforward
// loop, one sweep of the grid per cut.
void ApplyCutsPassMajor(GlobePoint* points, std::size_t count, Cut const* cuts, int cutCount);
