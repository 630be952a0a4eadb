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

// Draws one cut from g_random: q.x, q.y, q.z, then the factor (four draws).
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

// Applies the cuts in order to every point. Pass-major: the straightforward
// loop, one sweep of the grid per cut.
void ApplyCutsPassMajor(GlobePoint* points, std::size_t count, Cut const* cuts, int cutCount);

// The same result, bit for bit, point-major: each block of points is taken
// through all the cuts while it sits in registers, so the grid is swept once.
void ApplyCutsPointMajor(GlobePoint* points, std::size_t count, Cut const* cuts, int cutCount);
