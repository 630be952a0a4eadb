#include "globe/cut.h"

#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>
#define MORVA_HAVE_X86_KERNELS 1
#endif

namespace {

// Points per block in the portable kernel: enough independent lanes for the
// compiler to vectorise, few enough to stay in registers across the cuts.
constexpr std::size_t BLOCK = 16;

void ApplyCutsToBlock(GlobePoint* points, Cut const* cuts, int cutCount)
{
    float x[BLOCK];
    float y[BLOCK];
    float z[BLOCK];
    for (std::size_t k = 0; k < BLOCK; ++k) {
        x[k] = points[k].x;
        y[k] = points[k].y;
        z[k] = points[k].z;
    }

    for (int c = 0; c < cutCount; ++c) {
        float const qx = cuts[c].q.x;
        float const qy = cuts[c].q.y;
        float const qz = cuts[c].q.z;
        double const factor = cuts[c].factor;
        for (std::size_t k = 0; k < BLOCK; ++k) {
            float const dx = x[k] - qx;
            float const dy = y[k] - qy;
            float const dz = z[k] - qz;
            double const dot = (static_cast<double>(qz) * dz + static_cast<double>(qy) * dy)
                + static_cast<double>(qx) * dx;
            float const sx = static_cast<float>(x[k] * factor);
            float const sy = static_cast<float>(y[k] * factor);
            float const sz = static_cast<float>(z[k] * factor);
            bool const beyond = dot > 0.0;
            x[k] = beyond ? sx : x[k];
            y[k] = beyond ? sy : y[k];
            z[k] = beyond ? sz : z[k];
        }
    }

    for (std::size_t k = 0; k < BLOCK; ++k) {
        points[k].x = x[k];
        points[k].y = y[k];
        points[k].z = z[k];
    }
}

std::size_t ApplyCutsPortable(GlobePoint* points, std::size_t count, Cut const* cuts, int cutCount)
{
    std::size_t i = 0;
    for (; i + BLOCK <= count; i += BLOCK)
        ApplyCutsToBlock(points + i, cuts, cutCount);
    return i;
}

#ifdef MORVA_HAVE_X86_KERNELS

#define MORVA_AVX2 __attribute__((target("avx2"), always_inline)) inline

// (qz * dz + qy * dy) + qx * dx for four lanes, each difference widened
// from single precision.
MORVA_AVX2 __m256d DotHalf(__m256d qx, __m256d qy, __m256d qz, __m128 dx, __m128 dy, __m128 dz)
{
    __m256d const zy = _mm256_add_pd(_mm256_mul_pd(qz, _mm256_cvtps_pd(dz)), _mm256_mul_pd(qy, _mm256_cvtps_pd(dy)));
    return _mm256_add_pd(zy, _mm256_mul_pd(qx, _mm256_cvtps_pd(dx)));
}

// The lanes of v whose mask sign bit is set, times factor in double
// precision and rounded back to single; the other lanes unchanged.
MORVA_AVX2 __m256 ScaleBeyond(__m256 v, __m256d factor, __m256 beyond)
{
    __m128 const low = _mm256_cvtpd_ps(_mm256_mul_pd(_mm256_cvtps_pd(_mm256_castps256_ps128(v)), factor));
    __m128 const high = _mm256_cvtpd_ps(_mm256_mul_pd(_mm256_cvtps_pd(_mm256_extractf128_ps(v, 1)), factor));
    return _mm256_blendv_ps(v, _mm256_set_m128(high, low), beyond);
}

// Eight points at a time in AVX2 registers. Every step is the scalar one,
// lane by lane: single-precision differences, widened to double for the dot
// product in the same order of operations, and a double-precision scale
// rounded back to single precision. No fused multiply-add is used.
__attribute__((target("avx2"))) std::size_t ApplyCutsAvx2(
    GlobePoint* points, std::size_t count, Cut const* cuts, int cutCount)
{
    constexpr std::size_t LANES = 8;
    std::size_t i = 0;
    for (; i + LANES <= count; i += LANES) {
        float* base = &points[i].x;
        // Gather x, y, z of eight interleaved points.
        __m256i const index = _mm256_setr_epi32(0, 3, 6, 9, 12, 15, 18, 21);
        __m256 x = _mm256_i32gather_ps(base, index, 4);
        __m256 y = _mm256_i32gather_ps(base + 1, index, 4);
        __m256 z = _mm256_i32gather_ps(base + 2, index, 4);

        for (int c = 0; c < cutCount; ++c) {
            Cut const& cut = cuts[c];
            __m256 const dx = _mm256_sub_ps(x, _mm256_set1_ps(cut.q.x));
            __m256 const dy = _mm256_sub_ps(y, _mm256_set1_ps(cut.q.y));
            __m256 const dz = _mm256_sub_ps(z, _mm256_set1_ps(cut.q.z));
            __m256d const qx = _mm256_set1_pd(cut.q.x);
            __m256d const qy = _mm256_set1_pd(cut.q.y);
            __m256d const qz = _mm256_set1_pd(cut.q.z);

            __m256d const beyondLow = _mm256_cmp_pd(DotHalf(qx, qy, qz, _mm256_castps256_ps128(dx), _mm256_castps256_ps128(dy), _mm256_castps256_ps128(dz)), _mm256_setzero_pd(), _CMP_GT_OQ);
            __m256d const beyondHigh = _mm256_cmp_pd(DotHalf(qx, qy, qz, _mm256_extractf128_ps(dx, 1), _mm256_extractf128_ps(dy, 1), _mm256_extractf128_ps(dz, 1)), _mm256_setzero_pd(), _CMP_GT_OQ);
            if ((_mm256_movemask_pd(beyondLow) | _mm256_movemask_pd(beyondHigh)) == 0)
                continue;

            // All-ones double lanes narrow to negative NaNs: their sign bits
            // make the single-precision blend mask.
            __m256 const beyond = _mm256_set_m128(_mm256_cvtpd_ps(beyondHigh), _mm256_cvtpd_ps(beyondLow));
            __m256d const factor = _mm256_set1_pd(cut.factor);
            x = ScaleBeyond(x, factor, beyond);
            y = ScaleBeyond(y, factor, beyond);
            z = ScaleBeyond(z, factor, beyond);
        }

        alignas(32) float xs[LANES];
        alignas(32) float ys[LANES];
        alignas(32) float zs[LANES];
        _mm256_store_ps(xs, x);
        _mm256_store_ps(ys, y);
        _mm256_store_ps(zs, z);
        for (std::size_t k = 0; k < LANES; ++k)
            points[i + k] = { xs[k], ys[k], zs[k] };
    }
    return i;
}

bool CpuHasAvx2()
{
    static bool const has = __builtin_cpu_supports("avx2");
    return has;
}

#endif

}

void ApplyCutsPointMajor(GlobePoint* points, std::size_t count, Cut const* cuts, int cutCount, CutKernel kernel)
{
    std::size_t done = 0;
#ifdef MORVA_HAVE_X86_KERNELS
    if (kernel == CutKernel::Fastest && CpuHasAvx2())
        done = ApplyCutsAvx2(points, count, cuts, cutCount);
    else
#else
    (void)kernel;
#endif
        done = ApplyCutsPortable(points, count, cuts, cutCount);

    for (std::size_t i = done; i < count; ++i) {
        for (int c = 0; c < cutCount; ++c)
            points[i] = ApplyCut(points[i], cuts[c]);
    }
}
