// The straightforward Dissect the benchmarks measure the library's against:
// draw a cut, test and sweep every point of the grid, draw the next; then
// the statistics a Globe keeps.
#pragma once

#include "globe/cut.h"
#include "globe/globe.h"
#include "globe/grid_constants.h"
#include "globe/radius_statistics.h"

#include <memory>
#include <vector>

namespace bench {

// The grid in plain memory, cut in place, with its statistics.
struct PlainPlanet {
    // A fresh planet: the sphere a new Globe starts as.
    PlainPlanet()
        : PlainPlanet(std::make_unique<Globe>()->Points())
    {
    }

    explicit PlainPlanet(GlobePoint const* grid)
        : points(grid, grid + GRID_POINT_COUNT)
    {
    }

    std::vector<GlobePoint> points;
    double meanRadius = 0.0;
    double maxRadius = 0.0;
};

// `passes` cuts from g_random, pass by pass, then the statistics.
inline void DissectPassByPass(PlainPlanet& planet, int passes)
{
    for (int p = 0; p < passes; ++p) {
        Cut const cut = DrawCut();
        ApplyCutsPassMajor(planet.points.data(), GRID_POINT_COUNT, &cut, 1);
    }
    RadiusStatistics const statistics = MeasureRadii(planet.points.data(), GRID_POINT_COUNT);
    planet.maxRadius = statistics.maxRadius;
    planet.meanRadius = statistics.sum * GRID_MEAN_FACTOR;
}

}
