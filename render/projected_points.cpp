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

[[gnu::always_inline]] inline void ProjectOneByOne(HemisphereProjection const& projection, GlobePoint const* points,
    std::size_t count, std::int32_t* xs, std::int32_t* ys)
{
    for (std::size_t i = 0; i < count; ++i) {
        ProjectedPoint const p = projection.Project(points[i].x, points[i].y);
        xs[i] = p.x;
        ys[i] = p.y;
    }
}

// Whole vectors of Lanes::WIDTH points, then the rest one by one.
template<typename Lanes>
[[gnu::always_inline]] inline void ProjectInLanes(HemisphereProjection const& projection, GlobePoint const* points,
    std::size_t count, std::int32_t* xs, std::int32_t* ys)
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
        for (int lane = 0; lane < WIDTH; ++lane) {
            xs[i + lane] = screenX[lane];
            ys[i + lane] = screenY[lane];
        }
    }
    ProjectOneByOne(projection, points + i, count - i, xs + i, ys + i);
}

void ProjectPortable(HemisphereProjection const& projection, GlobePoint const* points, std::size_t count,
    std::int32_t* xs, std::int32_t* ys)
{
    ProjectOneByOne(projection, points, count, xs, ys);
}

void ProjectSse2(HemisphereProjection const& projection, GlobePoint const* points, std::size_t count,
    std::int32_t* xs, std::int32_t* ys)
{
    ProjectInLanes<Sse2Lanes>(projection, points, count, xs, ys);
}

[[gnu::target("avx2")]] void ProjectAvx2(HemisphereProjection const& projection, GlobePoint const* points,
    std::size_t count, std::int32_t* xs, std::int32_t* ys)
{
    ProjectInLanes<Avx2Lanes>(projection, points, count, xs, ys);
}

[[gnu::target("avx512f")]] void ProjectAvx512(HemisphereProjection const& projection, GlobePoint const* points,
    std::size_t count, std::int32_t* xs, std::int32_t* ys)
{
    ProjectInLanes<Avx512Lanes>(projection, points, count, xs, ys);
}

using ProjectKernel = void (*)(HemisphereProjection const&, GlobePoint const*, std::size_t, std::int32_t*, std::int32_t*);

constexpr KernelTable<ProjectKernel> PROJECT_KERNELS { { ProjectPortable, ProjectSse2, ProjectAvx2, ProjectAvx512 } };

}

void ProjectPointsApart(KernelLevel level, HemisphereProjection const& projection, GlobePoint const* points,
    std::size_t count, std::int32_t* xs, std::int32_t* ys)
{
    PROJECT_KERNELS.At(level)(projection, points, count, xs, ys);
}
