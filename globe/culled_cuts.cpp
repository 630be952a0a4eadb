#include "globe/culled_cuts.h"

#include "globe/tile_bounds.h"
#include "globe/tile_kernels.h"

#include <cmath>
#include <cstddef>

namespace {

// The tile's middle point's direction: close to the middle of the cone
// around the tile's points, and any axis gives a true cone.
bool TileAxis(TileSpan const& tile, double& x, double& y, double& z)
{
    GlobePoint const& middle = tile.first[(tile.rows / 2) * tile.stride + tile.width / 2];
    x = middle.x;
    y = middle.y;
    z = middle.z;
    double const length = std::sqrt((x * x + y * y) + z * z);
    if (!(length > 0.0))
        return false;
    x /= length;
    y /= length;
    z /= length;
    return true;
}

// Columns per tile in a band of rows: wider where the band's points lie
// close to the poles' axis.
int BandTileWidth(GlobePoint const* bandMiddleRow, int columns, TileShape shape)
{
    GlobePoint const& p = bandMiddleRow[0];
    double const h = std::sqrt(static_cast<double>(p.x) * p.x + static_cast<double>(p.y) * p.y);
    double const r = std::sqrt(h * h + static_cast<double>(p.z) * p.z);
    int width = shape.columns;
    if (r > 0.0 && h < r) {
        double const wanted = shape.columns * (h > 0.0 ? r / h : 1e9);
        width = wanted > columns ? columns : static_cast<int>(wanted);
    }
    return width < 1 ? 1 : width;
}

void SweepTile(TileSpan const& tile, CutPlane const* planes, int cutCount, TileKernels const& kernels)
{
    TileStep steps[CUTS_PER_TILE_SWEEP];
    int stepCount = 0;
    double ax = 0.0;
    double ay = 0.0;
    double az = 0.0;
    TileBounds bounds {};
    if (TileAxis(tile, ax, ay, az))
        bounds = BoundTile(kernels.measure(tile, ax, ay, az), ax, ay, az, cutCount);
    for (int c = 0; c < cutCount; ++c) {
        CutReach const reach = ReachOfCut(planes[c], bounds);
        if (reach == CutReach::Misses)
            continue;
        Cut const& cut = planes[c].cut;
        steps[stepCount++] = { cut.q, reach == CutReach::Crosses ? 1 : 0, cut.factor };
        TileRadiiAfter(bounds, reach, cut.factor);
    }
    if (stepCount > 0)
        kernels.applySteps(tile, steps, stepCount);
}

}

void ApplyCutsCulled(GlobePoint* points, int rows, int columns, Cut const* cuts, int cutCount, KernelLevel level,
    TileShape shape)
{
    TileKernels const& kernels = TileKernelsFor(level);
    if (rows <= 0 || columns <= 0)
        return;
    int const tileRows = shape.rows < 1 ? 1 : shape.rows;
    TileShape const tileShape { tileRows, shape.columns < 1 ? 1 : shape.columns };
    CutPlane planes[CUTS_PER_TILE_SWEEP];
    for (int first = 0; first < cutCount; first += CUTS_PER_TILE_SWEEP) {
        int const count = cutCount - first < CUTS_PER_TILE_SWEEP ? cutCount - first : CUTS_PER_TILE_SWEEP;
        for (int c = 0; c < count; ++c)
            planes[c] = MakeCutPlane(cuts[first + c]);
        for (int row = 0; row < rows; row += tileRows) {
            int const bandRows = rows - row < tileRows ? rows - row : tileRows;
            GlobePoint* band = points + static_cast<std::size_t>(row) * columns;
            int const width = BandTileWidth(band + static_cast<std::size_t>(bandRows / 2) * columns, columns, tileShape);
            for (int column = 0; column < columns; column += width) {
                int const tileWidth = columns - column < width ? columns - column : width;
                SweepTile({ band + column, static_cast<std::size_t>(columns), bandRows, tileWidth }, planes, count,
                    kernels);
            }
        }
    }
}
