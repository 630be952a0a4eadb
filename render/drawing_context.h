// What drawing a globe needs besides the globe itself: the instruction-set
// level whose kernels it runs, the colours of the points as last worked out,
// and the working storage of the cell-by-cell drawings, kept from one
// drawing to the next. One context serves any number of globes, one drawing
// at a time.
#pragma once

#include "render/column_band.h"
#include "render/point_cache.h"
#include "simd/kernel_level.h"

#include <cstdint>
#include <vector>

class DrawingContext {
public:
    // `level` must be one the processor runs.
    explicit DrawingContext(KernelLevel level = ChosenKernelLevel())
        : level(level)
    {
    }

    DrawingContext(DrawingContext const&) = delete;
    DrawingContext& operator=(DrawingContext const&) = delete;

    KernelLevel Level() const { return level; }

    // The elevation pixel of every point of `globe`, row by row, from the
    // cache while the globe has not changed since the last drawing.
    std::uint32_t const* PointPixels(Globe const& globe) { return points.Pixels(globe, level); }

    // Drops the cached colours, so that the next drawing meets its globe
    // afresh.
    void ForgetPoints() { points.Forget(); }

    // Working storage: the map's cell edges along each axis and one column's
    // radii; the views' band of columns.
    std::vector<std::int32_t> columnEdges;
    std::vector<std::int32_t> rowEdges;
    std::vector<float> columnRadii;
    ColumnBand band;

private:
    KernelLevel level;
    PointCache points;
};
