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

// Where each point projects goes to `store(i, x, y)`.
template<typename Store>
[[gnu::always_inline]] inline void ProjectOneByOne(
    HemisphereProjection const& projection, GlobePoint const* points, std::size_t count, Store store)
{
    for (std::size_t i = 0; i < count; ++i) {
        ProjectedPoint const p = projection.Project(points[i].x, points[i].y);
        store(i, p.x, p.y);
    }
}

// Whole vectors of Lanes::WIDTH points, then the rest one by one.
template<typename Lanes, typename Store>
[[gnu::always_inline]] inline void ProjectInLanes(
    HemisphereProjection const& projection, GlobePoint const* points, std::size_t count, Store store)
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
            store(i + lane, screenX[lane], screenY[lane]);
    }
    for (; i < count; ++i) {
        ProjectedPoint const p = projection.Project(points[i].x, points[i].y);
        store(i, p.x, p.y);
    }
}

// The projected points as POINTs, or as two runs of x and y.
struct IntoPoints {
    POINT* projected;
    void operator()(std::size_t i, std::int32_t x, std::int32_t y) const { projected[i] = { x, y }; }
};

struct IntoAxes {
    std::int32_t* xs;
    std::int32_t* ys;
    void operator()(std::size_t i, std::int32_t x, std::int32_t y) const
    {
        xs[i] = x;
        ys[i] = y;
    }
};

template<typename Store>
void ProjectPortable(HemisphereProjection const& projection, GlobePoint const* points, std::size_t count, Store store)
{
    ProjectOneByOne(projection, points, count, store);
}

template<typename Store>
void ProjectSse2(HemisphereProjection const& projection, GlobePoint const* points, std::size_t count, Store store)
{
    ProjectInLanes<Sse2Lanes>(projection, points, count, store);
}

template<typename Store>
[[gnu::target("avx2")]] void ProjectAvx2(
    HemisphereProjection const& projection, GlobePoint const* points, std::size_t count, Store store)
{
    ProjectInLanes<Avx2Lanes>(projection, points, count, store);
}

template<typename Store>
[[gnu::target("avx512f")]] void ProjectAvx512(
    HemisphereProjection const& projection, GlobePoint const* points, std::size_t count, Store store)
{
    ProjectInLanes<Avx512Lanes>(projection, points, count, store);
}

template<typename Store>
using ProjectKernel = void (*)(HemisphereProjection const&, GlobePoint const*, std::size_t, Store);

template<typename Store>
constexpr KernelTable<ProjectKernel<Store>> PROJECT_KERNELS { { ProjectPortable<Store>, ProjectSse2<Store>,
    ProjectAvx2<Store>, ProjectAvx512<Store> } };

}

void ProjectPoints(KernelLevel level, HemisphereProjection const& projection, GlobePoint const* points,
    std::size_t count, POINT* projected)
{
    PROJECT_KERNELS<IntoPoints>.At(level)(projection, points, count, IntoPoints { projected });
}

void ProjectPointsApart(KernelLevel level, HemisphereProjection const& projection, GlobePoint const* points,
    std::size_t count, std::int32_t* xs, std::int32_t* ys)
{
    PROJECT_KERNELS<IntoAxes>.At(level)(projection, points, count, IntoAxes { xs, ys });
}
