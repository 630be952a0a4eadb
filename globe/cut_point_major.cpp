#include "globe/cut.h"

namespace {

// Points per block: enough independent lanes to keep the vector units busy,
// few enough to stay in registers across all the cuts.
constexpr std::size_t BLOCK = 16;

void ApplyCutsToBlock(GlobePoint* points, Cut const* cuts, int cutCount)
{
    float x[BLOCK];
    float y[BLOCK];
    float z[BLOCK];
    for (std::size_t k = 0; k < BLOCK; ++k) {
        x[k] = points[k].x;
        y[k] = points[k].y;
        z[k] = points[k].z;
    }

    for (int c = 0; c < cutCount; ++c) {
        float const qx = cuts[c].q.x;
        float const qy = cuts[c].q.y;
        float const qz = cuts[c].q.z;
        double const factor = cuts[c].factor;
        for (std::size_t k = 0; k < BLOCK; ++k) {
            float const dx = x[k] - qx;
            float const dy = y[k] - qy;
            float const dz = z[k] - qz;
            double const dot = (static_cast<double>(qz) * dz + static_cast<double>(qy) * dy)
                + static_cast<double>(qx) * dx;
            float const sx = static_cast<float>(x[k] * factor);
            float const sy = static_cast<float>(y[k] * factor);
            float const sz = static_cast<float>(z[k] * factor);
            bool const beyond = dot > 0.0;
            x[k] = beyond ? sx : x[k];
            y[k] = beyond ? sy : y[k];
            z[k] = beyond ? sz : z[k];
        }
    }

    for (std::size_t k = 0; k < BLOCK; ++k) {
        points[k].x = x[k];
        points[k].y = y[k];
        points[k].z = z[k];
    }
}

}

void ApplyCutsPointMajor(GlobePoint* points, std::size_t count, Cut const* cuts, int cutCount)
{
    std::size_t i = 0;
    for (; i + BLOCK <= count; i += BLOCK)
        ApplyCutsToBlock(points + i, cuts, cutCount);
    for (; i < count; ++i) {
        for (int c = 0; c < cutCount; ++c)
            points[i] = ApplyCut(points[i], cuts[c]);
    }
}
