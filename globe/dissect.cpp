#include "globe/cut.h"
#include "globe/globe.h"

namespace {

// Cuts drawn ahead of one sweep. A batch of the timer's 50 passes fits in one.
constexpr int CUTS_PER_SWEEP = 64;

}

void Globe::Dissect(int passes)
{
    // The draws do not depend on the grid and each point's fate depends only
    // on its own history, so drawing a run of cuts first and then taking each
    // point through all of them gives the same grid as cutting pass by pass.
    Cut cuts[CUTS_PER_SWEEP];
    while (passes > 0) {
        int const run = passes < CUTS_PER_SWEEP ? passes : CUTS_PER_SWEEP;
        for (int c = 0; c < run; ++c)
            cuts[c] = DrawCut();
        ApplyCutsPointMajor(points, GRID_POINT_COUNT, cuts, run);
        passes -= run;
    }
    UpdateStatistics();
}
