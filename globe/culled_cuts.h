#pragma once

#include "globe/cut.h"
#include "simd/kernel_level.h"

// How the grid is divided for culling: tiles of `rows` neighbouring rows
// and, at the equator, `columns` neighbouring columns. Towards the poles,
// where the columns draw together, a tile takes more of them so that it
// keeps roughly its size on the sphere.
struct TileShape {
    int rows;
    int columns;
};

inline constexpr TileShape DEFAULT_TILE_SHAPE { 16, 16 };

// The most cuts taken through a tile between two measures of it.
inline constexpr int CUTS_PER_TILE_SWEEP = 64;

// Applies the cuts in order to a row-major grid of rows x columns points,
// bit for bit as ApplyCutsPassMajor does, but skips the tiles a cut cannot
// reach and scales without testing the tiles it covers (see ReachOfCut).
// Safe to call from several threads at once on disjoint grids.
void ApplyCutsCulled(GlobePoint* points, int rows, int columns, Cut const* cuts, int cutCount,
    KernelLevel level = ChosenKernelLevel(), TileShape shape = DEFAULT_TILE_SHAPE);
