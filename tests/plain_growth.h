// The planet at stated directions the plainest way: the starting points
// written out from their formulas, and every pass's cut drawn and tested
// against every point in turn.
#pragma once

#include "globe/cut.h"
#include "globe/portable_trig.h"
#include "globe/random.h"

#include <cmath>
#include <cstdint>
#include <vector>

namespace plain_growth {

inline constexpr double PI = 3.14159265358979323846;

// Pixel (x, y) of a width x height equirectangular map.
inline GlobePoint MapPixelStart(int x, int y, int width, int height)
{
    double const theta = (PI * (2.0 * y + 1.0)) / (2.0 * height);
    double const phi = (PI * (2.0 * x + 1.0)) / width;
    double const s = PortableSin(theta);
    return { static_cast<float>((PortableCos(phi) * 2000.0) * s), static_cast<float>((PortableSin(phi) * 2000.0) * s),
        static_cast<float>(PortableCos(theta) * 2000.0) };
}

// Pixel (i, j) of cube face `face` (px, nx, py, ny, pz, nz) of size x size.
inline GlobePoint CubePixelStart(int face, int i, int j, int size)
{
    double const a = (2.0 * i + 1.0) / size - 1.0;
    double const b = (2.0 * j + 1.0) / size - 1.0;
    double const faces[6][3] = { { 1, -b, -a }, { -1, -b, a }, { a, 1, b }, { a, -1, -b }, { a, -b, 1 }, { -a, -b, -1 } };
    double const* d = faces[face];
    double const n = std::sqrt((d[0] * d[0] + d[1] * d[1]) + d[2] * d[2]);
    return { static_cast<float>((2000.0 * d[0]) / n), static_cast<float>((2000.0 * d[1]) / n),
        static_cast<float>((2000.0 * d[2]) / n) };
}

// One pass: q.(P - q) > 0, with the difference in single precision, scales
// the point by the factor, rounded back.
inline void CutEveryPoint(std::vector<GlobePoint>& points, Cut const& cut)
{
    for (GlobePoint& point : points) {
        GlobePoint const d { point.x - cut.q.x, point.y - cut.q.y, point.z - cut.q.z };
        if (Dot(cut.q, d) > 0.0) {
            point.x = static_cast<float>(point.x * cut.factor);
            point.y = static_cast<float>(point.y * cut.factor);
            point.z = static_cast<float>(point.z * cut.factor);
        }
    }
}

// Every pass in order over every point, the cuts drawn from the seeds.
inline void GrowPassByPass(std::vector<GlobePoint>& points, std::int32_t seed1, std::int32_t seed2, int passes)
{
    RandomGenerator generator(seed1, seed2, false);
    for (int p = 0; p < passes; ++p)
        CutEveryPoint(points, DrawCut(generator));
}

}
