#include "render/projected_points.h"

// Vectors pass only between functions of this file, each compiled for its
// instruction set; GCC 12's AVX-512 minimum and maximum start from a
// deliberately undefined vector.
#pragma GCC diagnostic ignored "-Wpsabi"
#pragma GCC diagnostic ignored "-Wmaybe-uninitialized"

#include "render/kernel_table.h"
#include "render/projection_lanes.h"

namespace {

using namespace projection_lanes;

void ProjectOneByOne(HemisphereProjection const& projection, GlobePoint const* points, std::size_t count,
    POINT* projected)
{
    for (std::size_t i = 0; i < count; ++i) {
        ProjectedPoint const p = projection.Project(points[i].x, points[i].y);
        projected[i] = { p.x, p.y };
    }
}

// Whole vectors of Lanes::WIDTH points, then the rest one by one.
template<typename Lanes>
[[gnu::always_inline]] inline void ProjectInLanes(
    HemisphereProjection const& projection, GlobePoint const* points, std::size_t count, POINT* projected)
{
    constexpr int WIDTH = Lanes::WIDTH;
    std::size_t i = 0;
    for (; i + WIDTH <= count; i += WIDTH) {
        typename Lanes::Reals x, y;
        for (int lane = 0; lane < WIDTH; ++lane) {
            x[lane] = points[i + lane].x;
            y[lane] = points[i + lane].y;
        }
        auto const screenX = ProjectAxis<Lanes>(x, projection.centerX, projection.scale);
        auto const screenY = ProjectAxis<Lanes>(y, projection.centerY, projection.scale);
        for (int lane = 0; lane < WIDTH; ++lane)
            projected[i + lane] = { screenX[lane], screenY[lane] };
    }
    ProjectOneByOne(projection, points + i, count - i, projected + i);
}

void ProjectSse2(HemisphereProjection const& projection, GlobePoint const* points, std::size_t count,
    POINT* projected)
{
    ProjectInLanes<Sse2Lanes>(projection, points, count, projected);
}

[[gnu::target("avx2")]] void ProjectAvx2(
    HemisphereProjection const& projection, GlobePoint const* points, std::size_t count, POINT* projected)
{
    ProjectInLanes<Avx2Lanes>(projection, points, count, projected);
}

[[gnu::target("avx512f")]] void ProjectAvx512(
    HemisphereProjection const& projection, GlobePoint const* points, std::size_t count, POINT* projected)
{
    ProjectInLanes<Avx512Lanes>(projection, points, count, projected);
}

using ProjectKernel = void (*)(HemisphereProjection const&, GlobePoint const*, std::size_t, POINT*);

constexpr KernelTable<ProjectKernel> PROJECT_KERNELS { { ProjectOneByOne, ProjectSse2, ProjectAvx2, ProjectAvx512 } };

}

void ProjectPoints(KernelLevel level, HemisphereProjection const& projection, GlobePoint const* points,
    std::size_t count, POINT* projected)
{
    PROJECT_KERNELS.At(level)(projection, points, count, projected);
}
