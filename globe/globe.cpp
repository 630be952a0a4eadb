#include "globe/globe.h"

#include "globe/portable_trig.h"
#include "globe/radius_statistics.h"

#include <algorithm>

namespace {

unsigned long long g_lastGeneration = 0;

}

Globe::Globe()
    : radiiCurrent(false)
    , radius(GLOBE_RADIUS)
    , meanRadius(0.0)
    , maxRadius(0.0)
    , generation(++g_lastGeneration)
{
    // Every row uses the same longitudes: their cosines and sines are
    // evaluated once.
    double columnCos[GRID_N];
    double columnSin[GRID_N];
    for (int j = 0; j < GRID_N; ++j) {
        double const phi = j * static_cast<double>(GRID_COLUMN_STEP);
        columnCos[j] = PortableCos(phi);
        columnSin[j] = PortableSin(phi);
    }

    for (int i = 0; i < GRID_N; ++i) {
        double const theta = i * static_cast<double>(GRID_ROW_STEP);
        double const cosTheta = PortableCos(theta);
        double const sinTheta = PortableSin(theta);
        GlobePoint* row = points + i * GRID_N;
        for (int j = 0; j < GRID_N; ++j)
            row[j] = SpherePoint(cosTheta, sinTheta, columnCos[j], columnSin[j]);
    }
}

Globe::Globe(GlobePoint const* grid)
    : radiiCurrent(false)
    , radius(GLOBE_RADIUS)
    , meanRadius(0.0)
    , maxRadius(0.0)
    , generation(0)
{
    std::copy(grid, grid + GRID_POINT_COUNT, points);
    UpdateStatistics();
}

Globe::~Globe() = default;

void Globe::TakeNewGeneration()
{
    generation = ++g_lastGeneration;
}

void Globe::UpdateStatistics()
{
    RadiusStatistics const statistics
        = MeasureAndKeepRadii(points, GRID_POINT_COUNT, KeptPerPoint { radii, rowSides, GRID_N });
    maxRadius = statistics.maxRadius;
    meanRadius = statistics.sum * GRID_MEAN_FACTOR;
    radiiCurrent = true;
    TakeNewGeneration();
}
