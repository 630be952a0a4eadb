#pragma once

#include "globe/cut.h"

#include <cstdint>
#include <vector>

class RandomGenerator;

// Picks out, from cuts in the order they are made, those that may move a
// point: a cut whose plane passes outside every point changes nothing. It
// keeps a bound on every point's radius, raised by each kept cut that
// raises its cap.
class ReachingCuts {
public:
    // `largestRadius`: no point lies farther than this from the centre.
    explicit ReachingCuts(double largestRadius)
        : radiusBound(largestRadius * (1.0 + 1e-6))
    {
    }

    // True when the cut may move a point; the bound then takes it in.
    bool Keep(Cut const& cut)
    {
        if (!CutMayReach(cut, radiusBound))
            return false;
        radiusBound = RadiusBoundAfter(cut, radiusBound);
        return true;
    }

private:
    double radiusBound;
};

// The cuts of `passes` dissection passes of a planet that starts as the
// sphere, drawn from `generator` in order (each pass takes its four draws),
// less those that cannot move any point. Taking any starting point of the
// sphere through them gives what taking it through every pass gives.
std::vector<Cut> DrawReachingCuts(RandomGenerator& generator, std::int64_t passes);
