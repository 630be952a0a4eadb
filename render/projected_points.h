// HemisphereProjection::Project for a run of points at once, with the same
// result for every point, in vectors of the given level's width.
#pragma once

#include "globe/globe_point.h"
#include "simd/kernel_level.h"
#include "render/hemisphere_projection.h"

#include <cstddef>
#include <cstdint>

// The x and y of each point go to runs of their own. `level` must be one the
// processor runs.
void ProjectPointsApart(KernelLevel level, HemisphereProjection const& projection, GlobePoint const* points,
    std::size_t count, std::int32_t* xs, std::int32_t* ys);
