#include "globe/radius_statistics.h"

#include "globe/point_lanes.h"

#include <cstring>

// The vector forms below are only ever called inside this file, from
// functions compiled for their instruction set: their vector arguments never
// cross an ABI boundary.
#pragma GCC diagnostic ignored "-Wpsabi"

namespace {

using RadiiKernel = RadiusStatistics (*)(GlobePoint const* points, std::size_t count, double* radii);

// The next element's radius, in element order.
void AddRadius(RadiusStatistics& statistics, double radius)
{
    if (radius > statistics.maxRadius)
        statistics.maxRadius = radius;
    statistics.sum += radius;
}

// Adds the radii of points [first, count) one by one, keeping each in
// `radii` when it is given.
RadiusStatistics AddRadii(RadiusStatistics statistics, GlobePoint const* points, std::size_t first, std::size_t count,
    double* radii)
{
    for (std::size_t i = first; i < count; ++i) {
        double const radius = PointRadius(points[i]);
        AddRadius(statistics, radius);
        if (radii)
            radii[i] = radius;
    }
    return statistics;
}

RadiusStatistics MeasureRadiiPortable(GlobePoint const* points, std::size_t count, double* radii)
{
    return AddRadii({ PointRadius(points[0]), 0.0 }, points, 0, count, radii);
}

#ifdef MORVA_SIMD_X86

// The lanes' radii: the largest kept lane by lane, each added to the sum in
// order.
template<int Width>
[[gnu::always_inline]] inline void AddRadiusLanes(PointLanes<Width> const& p,
    typename simd::Lanes<Width>::Double& largest, double& sum, double* kept)
{
    using simd::Widen;
    auto const radii = RadiusOf(Widen(p.x), Widen(p.y), Widen(p.z));
    largest = radii > largest ? radii : largest;
    for (int k = 0; k < Width; ++k)
        sum += radii[k];
    if (kept)
        std::memcpy(kept, &radii, sizeof radii);
}

template<int Width>
[[gnu::always_inline]] inline RadiusStatistics MeasureRadiiLanes(GlobePoint const* points, std::size_t count,
    double* radii)
{
    using Double = typename simd::Lanes<Width>::Double;
    using simd::Widen;
    double sum = 0.0;
    Double largest = Double {} + PointRadius(points[0]);
    std::size_t i = 0;
    for (; i + 2 * Width <= count; i += 2 * Width) {
        PointLanes<Width> low;
        PointLanes<Width> high;
        LoadTwoGroups(points + i, low, high);
        AddRadiusLanes(low, largest, sum, radii ? radii + i : nullptr);
        AddRadiusLanes(high, largest, sum, radii ? radii + i + Width : nullptr);
    }
    // Radii are never NaN, and equal radii are the same double, so the
    // largest lane is the value the strict comparisons in order would keep.
    RadiusStatistics statistics { largest[0], sum };
    for (int k = 1; k < Width; ++k)
        statistics.maxRadius = largest[k] > statistics.maxRadius ? largest[k] : statistics.maxRadius;
    return AddRadii(statistics, points, i, count, radii);
}

[[gnu::target("sse2")]] RadiusStatistics MeasureRadiiSse2(GlobePoint const* points, std::size_t count, double* radii)
{
    return MeasureRadiiLanes<2>(points, count, radii);
}

[[gnu::target("avx2")]] RadiusStatistics MeasureRadiiAvx2(GlobePoint const* points, std::size_t count, double* radii)
{
    return MeasureRadiiLanes<4>(points, count, radii);
}

// Indexed by KernelLevel. Eight lanes of AVX-512 measure no faster than
// four of AVX2 (the square roots and the one chain of sums set the pace), so
// the AVX-512 level takes the AVX2 form.
RadiiKernel const LEVELS[KERNEL_LEVEL_COUNT] = { MeasureRadiiPortable, MeasureRadiiSse2, MeasureRadiiAvx2,
    MeasureRadiiAvx2 };

#else

RadiiKernel const LEVELS[KERNEL_LEVEL_COUNT] = { MeasureRadiiPortable, MeasureRadiiPortable, MeasureRadiiPortable,
    MeasureRadiiPortable };

#endif

}

RadiusStatistics MeasureRadii(GlobePoint const* points, std::size_t count, KernelLevel level)
{
    return LEVELS[static_cast<int>(RunnableLevel(level))](points, count, nullptr);
}

RadiusStatistics MeasureAndKeepRadii(GlobePoint const* points, std::size_t count, double* radii, KernelLevel level)
{
    return LEVELS[static_cast<int>(RunnableLevel(level))](points, count, radii);
}
