#include "globe/cut.h"

#include "globe/random.h"

Cut DrawCut()
{
    Cut cut {};
    cut.q.x = static_cast<float>(RandomReal(-2000.0, 2000.0));
    cut.q.y = static_cast<float>(RandomReal(-2000.0, 2000.0));
    cut.q.z = static_cast<float>(RandomReal(-2000.0, 2000.0));
    cut.factor = RandomInt(0, 1) != 0 ? RAISE_FACTOR : SINK_FACTOR;
    return cut;
}

void ApplyCutsPassMajor(GlobePoint* points, std::size_t count, Cut const* cuts, int cutCount)
{
    for (int c = 0; c < cutCount; ++c) {
        for (std::size_t i = 0; i < count; ++i)
            points[i] = ApplyCut(points[i], cuts[c]);
    }
}
