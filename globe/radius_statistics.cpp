#include "globe/radius_statistics.h"

#include "globe/avx2_lanes.h"

namespace {

RadiusStatistics MeasureRadiiPortable(GlobePoint const* points, std::size_t count)
{
    RadiusStatistics statistics { PointRadius(points[0]), 0.0 };
    for (std::size_t i = 0; i < count; ++i) {
        double const r = PointRadius(points[i]);
        if (r > statistics.maxRadius)
            statistics.maxRadius = r;
        statistics.sum += r;
    }
    return statistics;
}

#ifdef MORVA_HAVE_X86_KERNELS

// sqrt(sqrt(x^2 + y^2)^2 + z^2) for four points, every operation the scalar
// rule's: correctly rounded products, sums and square roots, no fused
// multiply-add.
MORVA_AVX2 __m256d RadiiHalf(__m128 fx, __m128 fy, __m128 fz)
{
    __m256d const x = _mm256_cvtps_pd(fx);
    __m256d const y = _mm256_cvtps_pd(fy);
    __m256d const z = _mm256_cvtps_pd(fz);
    __m256d const h = _mm256_sqrt_pd(_mm256_add_pd(_mm256_mul_pd(x, x), _mm256_mul_pd(y, y)));
    return _mm256_sqrt_pd(_mm256_add_pd(_mm256_mul_pd(h, h), _mm256_mul_pd(z, z)));
}

__attribute__((target("avx2"))) RadiusStatistics MeasureRadiiAvx2(GlobePoint const* points, std::size_t count)
{
    constexpr std::size_t LANES = 8;
    double sum = 0.0;
    __m256d largest = _mm256_set1_pd(PointRadius(points[0]));
    std::size_t i = 0;
    for (; i + LANES <= count; i += LANES) {
        Lanes const v = LoadLanes(points + i);
        __m256d const low = RadiiHalf(_mm256_castps256_ps128(v.x), _mm256_castps256_ps128(v.y),
            _mm256_castps256_ps128(v.z));
        __m256d const high = RadiiHalf(_mm256_extractf128_ps(v.x, 1), _mm256_extractf128_ps(v.y, 1),
            _mm256_extractf128_ps(v.z, 1));
        largest = _mm256_max_pd(largest, _mm256_max_pd(low, high));
        alignas(32) double radii[LANES];
        _mm256_store_pd(radii, low);
        _mm256_store_pd(radii + 4, high);
        for (std::size_t k = 0; k < LANES; ++k)
            sum += radii[k];
    }
    // Radii are never NaN, and equal radii are the same double, so the
    // largest lane is the value the strict comparisons in order would keep.
    alignas(32) double lanes[4];
    _mm256_store_pd(lanes, largest);
    RadiusStatistics statistics { lanes[0], sum };
    for (int k = 1; k < 4; ++k) {
        if (lanes[k] > statistics.maxRadius)
            statistics.maxRadius = lanes[k];
    }
    for (; i < count; ++i) {
        double const r = PointRadius(points[i]);
        if (r > statistics.maxRadius)
            statistics.maxRadius = r;
        statistics.sum += r;
    }
    return statistics;
}

#endif

}

RadiusStatistics MeasureRadii(GlobePoint const* points, std::size_t count, CutKernel kernel)
{
#ifdef MORVA_HAVE_X86_KERNELS
    if (kernel == CutKernel::Fastest && CpuHasAvx2())
        return MeasureRadiiAvx2(points, count);
#else
    (void)kernel;
#endif
    return MeasureRadiiPortable(points, count);
}
