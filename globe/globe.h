#pragma once

#include "globe/globe_point.h"
#include "globe/grid_constants.h"
#include "globe/row_sides.h"
#include "globe/sphere_point.h"

#include <cstdint>

// The planet: a GRID_N x GRID_N grid of points that starts as a sphere and is
// deformed by dissection. Row i lies at polar angle i * GRID_ROW_STEP from the
// +z pole, column j at longitude j * GRID_COLUMN_STEP from +x towards +y. The
// grid lives inside the object, so one allocation holds the whole model.
class Globe {
public:
    Globe();
    // A globe whose grid is a copy of `grid` (GRID_POINT_COUNT points, row
    // by row), with its statistics measured: from a grid copied out of
    // another globe it draws and dissects as that globe does.
    explicit Globe(GlobePoint const* grid);
    virtual ~Globe();

    Globe(Globe const&) = delete;
    Globe& operator=(Globe const&) = delete;

    // Copies the point at (row, column); false, writing nothing, when either
    // index is outside 0 to GRID_N - 1.
    // Inline: the views read every point of the grid on every paint.
    bool GetPoint(int row, int column, float* x, float* y, float* z) const
    {
        if (row < 0 || row >= GRID_N || column < 0 || column >= GRID_N)
            return false;
        GlobePoint const& p = points[row * GRID_N + column];
        *x = p.x;
        *y = p.y;
        *z = p.z;
        return true;
    }

    double GetMaxRadius() const { return maxRadius; }
    double GetMeanRadius() const { return meanRadius; }

    void UpdateStatistics();

    // Changes whenever the points or the statistics may have changed, and
    // differs between any two globes of one process: caches of what is
    // drawn from a globe are keyed on it.
    unsigned long long Generation() const { return generation; }

    // Runs `passes` random cuts (none when passes <= 0), then updates the
    // statistics.
    void Dissect(int passes);

    // The whole grid, row-major.
    GlobePoint const* Points() const { return points; }

    // Each point's radius (PointRadius), row-major, as the last statistics
    // update worked it out; null while the points may have moved since (on
    // a new globe before its first update, or after a test's edit).
    double const* Radii() const { return radiiCurrent ? radii : nullptr; }

    // For each row, which sides of the plane z = 0 its points reach
    // (ROW_REACHES_BELOW, ROW_REACHES_ABOVE), current with Radii().
    std::uint8_t const* RowSides() const { return radiiCurrent ? rowSides : nullptr; }

private:
    // Gives the globe a generation no globe of the process has had yet.
    void TakeNewGeneration();

    // The tests' way to write exact grids point by point
    // (tests/globe_editor.h).
    friend class GlobeEditor;

    GlobePoint points[GRID_POINT_COUNT];
    double radii[GRID_POINT_COUNT];
    std::uint8_t rowSides[GRID_N];
    bool radiiCurrent;
    float radius;
    double meanRadius;
    double maxRadius;
    unsigned long long generation;
};
