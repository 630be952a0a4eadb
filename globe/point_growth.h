#pragma once

#include "globe/cut.h"

#include <cstddef>
#include <vector>

// The planet at any set of directions. Once the cuts are known, each point's
// fate depends only on where it starts and on the cuts, so any starting
// points can be grown on their own: the grid's directions give the grid that
// Dissect grows, an output's pixels give the planet pixel by pixel.

// Takes `rows` x `columns` starting points (row-major, neighbours close
// together on the sphere, as rows of an image are) through every cut in
// order, in place, by the culled kernels Dissect sweeps with. The points are
// taken in blocks, handed out to `threads` threads (1: this thread alone).
void GrowPoints(GlobePoint* points, int rows, int columns, std::vector<Cut> const& cuts, int threads);

// The threads GrowPoints may use on this machine: one per processor.
int GrowthThreads();
