// Writes a Globe's points one by one, for tests that build exact scenes.
// Every write gives the globe a new generation, so nothing drawn from it
// before is taken for it again; the statistics (and the radii kept with
// them) stay as they were until the test updates them.
#pragma once

#include "globe/globe.h"

class GlobeEditor {
public:
    static GlobePoint& Point(Globe& globe, int row, int column)
    {
        globe.TakeNewGeneration();
        globe.radiiCurrent = false;
        return globe.points[row * GRID_N + column];
    }
};
