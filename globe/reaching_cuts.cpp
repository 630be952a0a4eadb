#include "globe/reaching_cuts.h"

#include "globe/sphere_point.h"

std::vector<Cut> DrawReachingCuts(RandomGenerator& generator, std::int64_t passes)
{
    // A point of the sphere lies at 2000 up to the rounding of its
    // coordinates, far inside the bound's allowance.
    ReachingCuts reaching(GLOBE_RADIUS);
    std::vector<Cut> cuts;
    for (std::int64_t pass = 0; pass < passes; ++pass) {
        Cut const cut = DrawCut(generator);
        if (reaching.Keep(cut))
            cuts.push_back(cut);
    }
    return cuts;
}
