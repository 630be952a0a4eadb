#pragma once

#include "app/program_constants.h"

#include <cstdint>

// Grows a planet the way the programs do: Dissect(1), then batches of 50,
// the last one shorter when passes - 1 is not a multiple of 50. `progress`
// is called after every Dissect with the passes done so far.
template<typename GlobeType, typename Progress>
void GrowPlanet(GlobeType& globe, std::int32_t passes, Progress&& progress)
{
    globe.Dissect(1);
    std::int32_t done = 1;
    progress(done);
    while (done < passes) {
        std::int32_t const remaining = passes - done;
        std::int32_t const batch = remaining < DISSECT_BATCH ? remaining : DISSECT_BATCH;
        globe.Dissect(batch);
        done += batch;
        progress(done);
    }
}
