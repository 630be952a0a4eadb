#include "render/projected_points.h"

// Vectors pass only between functions of this file, each compiled for its
// instruction set; GCC 12's AVX-512 minimum and maximum start from a
// deliberately undefined vector.
#pragma GCC diagnostic ignored "-Wpsabi"
#pragma GCC diagnostic ignored "-Wmaybe-uninitialized"

#include "globe/point_lanes.h"
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
    // Kept apart from the stores, which could otherwise reach them.
    std::int32_t const centerX = projection.centerX;
    std::int32_t const centerY = projection.centerY;
    float const scale = projection.scale;
    std::size_t i = 0;
    for (; i + WIDTH <= count; i += WIDTH) {
        PointLanes<WIDTH> const lanes = LoadPoints<WIDTH>(points + i);
        simd::StoreLanes(xs + i, ProjectAxis<Lanes>(simd::Widen(lanes.x), centerX, scale));
        simd::StoreLanes(ys + i, ProjectAxis<Lanes>(simd::Widen(lanes.y), centerY, scale));
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

using ProjectKernel
    = void (*)(HemisphereProjection const&, GlobePoint const*, std::size_t, std::int32_t*, std::int32_t*);

constexpr KernelTable<ProjectKernel> PROJECT_KERNELS { { ProjectPortable, ProjectSse2, ProjectAvx2, ProjectAvx512 } };

}

void ProjectPointsApart(KernelLevel level, HemisphereProjection const& projection, GlobePoint const* points,
    std::size_t count, std::int32_t* xs, std::int32_t* ys)
{
    PROJECT_KERNELS.At(level)(projection, points, count, xs, ys);
}
