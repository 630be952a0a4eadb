#include "globe/cut.h"

#include "globe/random.h"

Cut DrawCut(RandomGenerator& generator)
{
    Cut cut {};
    cut.q.x = static_cast<float>(generator.RealInRange(-2000.0, 2000.0));
    cut.q.y = static_cast<float>(generator.RealInRange(-2000.0, 2000.0));
    cut.q.z = static_cast<float>(generator.RealInRange(-2000.0, 2000.0));
    cut.factor = generator.IntInRange(0, 1) != 0 ? RAISE_FACTOR : SINK_FACTOR;
    return cut;
}

Cut DrawCut()
{
    return DrawCut(g_random);
}

void ApplyCutsPassMajor(GlobePoint* points, std::size_t count, Cut const* cuts, int cutCount)
{
    for (int c = 0; c < cutCount; ++c) {
        for (std::size_t i = 0; i < count; ++i)
            points[i] = ApplyCut(points[i], cuts[c]);
    }
}
