#pragma once

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

// A point P lies beyond the cut when q . (P - q) > 0, the difference rounded
// to single precision coordinate by coordinate. Beyond points are scaled in
// double precision and stored back in single precision.
inline GlobePoint ApplyCut(GlobePoint p, Cut const& cut)
{
    GlobePoint const d { p.x - cut.q.x, p.y - cut.q.y, p.z - cut.q.z };
    if (Dot(cut.q, d) > 0.0) {
        p.x = static_cast<float>(p.x * cut.factor);
        p.y = static_cast<float>(p.y * cut.factor);
        p.z = static_cast<float>(p.z * cut.factor);
    }
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

// Which point-major kernel to use: the fastest the processor runs, or the
// portable one (for comparing the two).
enum class CutKernel {
    Fastest,
    Portable,
};

// The same result, bit for bit, point-major: each block of points is taken
// through all the cuts while it sits in registers, so the grid is swept once.
void ApplyCutsPointMajor(GlobePoint* points, std::size_t count, Cut const* cuts, int cutCount,
    CutKernel kernel = CutKernel::Fastest);
