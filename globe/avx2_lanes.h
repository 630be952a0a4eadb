#pragma once

// Eight interleaved GlobePoints moved in and out of AVX2 registers, for the
// kernels that are compiled for AVX2 and chosen at run time.

#include "globe/globe_point.h"

#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>
#define MORVA_HAVE_X86_KERNELS 1

#define MORVA_AVX2 __attribute__((target("avx2"), always_inline)) inline

// Eight interleaved points as three registers of x, y and z, lane k holding
// point k; and back.
struct Lanes {
    __m256 x;
    __m256 y;
    __m256 z;
};

MORVA_AVX2 Lanes LoadLanes(GlobePoint const* points)
{
    float const* p = &points[0].x;
    // Halves: x0 y0 z0 x1 | y1 z1 x2 y2 | z2 x3 y3 z3, and points 4 to 7.
    __m256 const a = _mm256_insertf128_ps(_mm256_castps128_ps256(_mm_loadu_ps(p)), _mm_loadu_ps(p + 12), 1);
    __m256 const b = _mm256_insertf128_ps(_mm256_castps128_ps256(_mm_loadu_ps(p + 4)), _mm_loadu_ps(p + 16), 1);
    __m256 const c = _mm256_insertf128_ps(_mm256_castps128_ps256(_mm_loadu_ps(p + 8)), _mm_loadu_ps(p + 20), 1);
    __m256 const xy = _mm256_shuffle_ps(b, c, _MM_SHUFFLE(2, 1, 3, 2)); // x2 y2 x3 y3
    __m256 const yz = _mm256_shuffle_ps(a, b, _MM_SHUFFLE(1, 0, 2, 1)); // y0 z0 y1 z1
    return {
        _mm256_shuffle_ps(a, xy, _MM_SHUFFLE(2, 0, 3, 0)),
        _mm256_shuffle_ps(yz, xy, _MM_SHUFFLE(3, 1, 2, 0)),
        _mm256_shuffle_ps(yz, c, _MM_SHUFFLE(3, 0, 3, 1)),
    };
}

MORVA_AVX2 void StoreLanes(GlobePoint* points, Lanes const& v)
{
    float* p = &points[0].x;
    __m256 const xy = _mm256_shuffle_ps(v.x, v.y, _MM_SHUFFLE(2, 0, 2, 0)); // x0 x2 y0 y2
    __m256 const yz = _mm256_shuffle_ps(v.y, v.z, _MM_SHUFFLE(3, 1, 3, 1)); // y1 y3 z1 z3
    __m256 const zx = _mm256_shuffle_ps(v.z, v.x, _MM_SHUFFLE(3, 1, 2, 0)); // z0 z2 x1 x3
    __m256 const a = _mm256_shuffle_ps(xy, zx, _MM_SHUFFLE(2, 0, 2, 0));
    __m256 const b = _mm256_shuffle_ps(yz, xy, _MM_SHUFFLE(3, 1, 2, 0));
    __m256 const c = _mm256_shuffle_ps(zx, yz, _MM_SHUFFLE(3, 1, 3, 1));
    _mm_storeu_ps(p, _mm256_castps256_ps128(a));
    _mm_storeu_ps(p + 4, _mm256_castps256_ps128(b));
    _mm_storeu_ps(p + 8, _mm256_castps256_ps128(c));
    _mm_storeu_ps(p + 12, _mm256_extractf128_ps(a, 1));
    _mm_storeu_ps(p + 16, _mm256_extractf128_ps(b, 1));
    _mm_storeu_ps(p + 20, _mm256_extractf128_ps(c, 1));
}

// Whether the processor runs the AVX2 kernels.
inline bool CpuHasAvx2()
{
    static bool const has = __builtin_cpu_supports("avx2");
    return has;
}

#endif
