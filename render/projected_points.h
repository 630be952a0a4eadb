// HemisphereProjection::Project for a run of points at once, with the same
// result for every point, two points at a time in SSE2 where the processor
// has it.
#pragma once

#include "globe/globe_point.h"
#include "render/hemisphere_projection.h"

#include <windows.h>

#include <cstddef>

void ProjectPoints(HemisphereProjection const& projection, GlobePoint const* points, std::size_t count,
    POINT* projected);
