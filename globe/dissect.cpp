#include "globe/culled_cuts.h"
#include "globe/cut.h"
#include "globe/globe.h"
#include "globe/reaching_cuts.h"

namespace {

// Cuts drawn ahead of one sweep. A batch of the timer's 50 passes fits in one.
constexpr int CUTS_PER_SWEEP = CUTS_PER_TILE_SWEEP;

}

void Globe::Dissect(int passes)
{
    // The draws do not depend on the grid and each point's fate depends only
    // on its own history, so drawing a run of cuts first and then taking each
    // point through all of them gives the same grid as cutting pass by pass.
    //
    // Cuts whose plane passes outside every point are drawn (they consume
    // their four draws) but not swept. The bound on the radii starts from the
    // statistics, which are current at every call (only Dissect moves points
    // and it always ends by updating them), or from the sphere's radius on a
    // globe that was never dissected.
    ReachingCuts reaching(maxRadius > radius ? maxRadius : static_cast<double>(radius));
    Cut cuts[CUTS_PER_SWEEP];
    while (passes > 0) {
        int const run = passes < CUTS_PER_SWEEP ? passes : CUTS_PER_SWEEP;
        int kept = 0;
        for (int c = 0; c < run; ++c) {
            Cut const cut = DrawCut();
            if (reaching.Keep(cut))
                cuts[kept++] = cut;
        }
        ApplyCutsCulled(points, GRID_N, GRID_N, cuts, kept);
        passes -= run;
    }
    UpdateStatistics();
}
