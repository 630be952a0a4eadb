// The baselines the drawing benchmarks measure against: the same cells
// filled into plain memory with precomputed colours by bare loops.
#pragma once

#include "globe/globe.h"
#include "render/cell_color.h"
#include "render/float_conversion.h"
#include "render/hemisphere_projection.h"
#include "render/map_layout.h"

#include <windows.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

namespace bench {

// The map's colours in its drawing order, column by column.
inline std::vector<std::uint32_t> MapColors(Globe const& globe)
{
    std::vector<std::uint32_t> colors;
    for (int column = 0; column < GRID_N; ++column) {
        for (int row = 0; row < GRID_N; ++row)
            colors.push_back(CellColor(globe, row, column));
    }
    return colors;
}

// The map's cells over width x height, filled one by one.
inline void FillMap(std::vector<std::uint32_t> const& colors, std::uint32_t* pixels, int width, int height)
{
    std::uint32_t const* color = colors.data();
    ForEachMapCell(GRID_N, INV_GRID_N, 0, 0, width, height, [&](MapCell const& cell) {
        std::uint32_t const value = *color++;
        for (int y = cell.top; y < cell.bottom; ++y)
            std::fill(&pixels[std::size_t(y) * width + cell.left], &pixels[std::size_t(y) * width + cell.right], value);
    });
}

struct Quad {
    POINT corners[4];
    std::uint32_t color;
};

// The cells a view of width x height draws (the lower or the upper one), in
// its order, already projected.
inline std::vector<Quad> ViewQuads(Globe const& globe, int width, int height, bool lower)
{
    HemisphereProjection const projection
        = MakeHemisphereProjection(0, 0, width, height, RoundToSingle(globe.GetMaxRadius()));
    auto project = [&](int row, int column) {
        float x, y, z;
        globe.GetPoint(row, column, &x, &y, &z);
        ProjectedPoint const p = projection.Project(x, y);
        return POINT { p.x, p.y };
    };
    std::vector<Quad> quads;
    for (int k = 0; k < GRID_N; ++k) {
        for (int i = 0; i < GRID_N; ++i) {
            float x, y, z;
            globe.GetPoint(i, k, &x, &y, &z);
            if (lower ? !(z < 0) : !(z > 0))
                continue;
            int const i1 = (i + 1) % GRID_N;
            int const k1 = (k + 1) % GRID_N;
            quads.push_back({ { project(i, k), project(i1, k), project(i1, k1), project(i, k1) }, CellColor(globe, i, k) });
        }
    }
    return quads;
}

// Even-odd scanline fill of one quadrilateral, pixels sampled at integer
// points, clipped to the surface.
inline void FillQuad(Quad const& quad, std::uint32_t* pixels, int width, int height)
{
    int top = quad.corners[0].y;
    int bottom = top;
    for (POINT const& p : quad.corners) {
        top = std::min<int>(top, p.y);
        bottom = std::max<int>(bottom, p.y);
    }
    top = std::max(top, 0);
    bottom = std::min(bottom, height);
    for (int y = top; y < bottom; ++y) {
        double crossings[4];
        int count = 0;
        for (int e = 0; e < 4; ++e) {
            POINT const a = quad.corners[e];
            POINT const b = quad.corners[(e + 1) % 4];
            if (a.y == b.y || y < std::min(a.y, b.y) || y >= std::max(a.y, b.y))
                continue;
            crossings[count++] = a.x + double(y - a.y) * (b.x - a.x) / (b.y - a.y);
        }
        // At most four: an insertion sort.
        for (int c = 1; c < count; ++c) {
            for (int d = c; d > 0 && crossings[d] < crossings[d - 1]; --d)
                std::swap(crossings[d], crossings[d - 1]);
        }
        for (int c = 0; c + 1 < count; c += 2) {
            int const xa = std::max(0, static_cast<int>(std::ceil(crossings[c])));
            int const xb = std::min(width, static_cast<int>(std::ceil(crossings[c + 1])));
            if (xa < xb)
                std::fill(pixels + std::size_t(y) * width + xa, pixels + std::size_t(y) * width + xb, quad.color);
        }
    }
}

} // namespace bench
