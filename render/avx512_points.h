// Sixteen grid points at a time in AVX-512: their coordinates taken apart
// from the interleaved x, y, z layout. For functions compiled for AVX-512F
// only.
#pragma once

#include "globe/globe_point.h"

#include <cstdint>

#include <immintrin.h>

#pragma GCC diagnostic push
// These vectors pass only between functions compiled for AVX-512F.
#pragma GCC diagnostic ignored "-Wpsabi"

namespace avx512_points {

struct Coordinates {
    __m512 x;
    __m512 y;
    __m512 z;
};

// The indices that pick coordinate `axis` (0 for x, 1 for y, 2 for z) of
// sixteen interleaved points out of three vectors of sixteen floats: the
// first permutation takes what lies in the first two vectors, the second
// keeps those lanes and fills the rest from the third.
struct AxisIndices {
    __m512i fromFirstTwo;
    __m512i withThird;
};

[[gnu::target("avx512f")]] inline AxisIndices IndicesOfAxis(int axis)
{
    alignas(64) std::int32_t first[16];
    alignas(64) std::int32_t second[16];
    for (int lane = 0; lane < 16; ++lane) {
        int const element = 3 * lane + axis;
        first[lane] = element < 32 ? element : 0;
        second[lane] = element < 32 ? lane : 16 + (element - 32);
    }
    return { _mm512_load_si512(first), _mm512_load_si512(second) };
}

[[gnu::target("avx512f")]] inline __m512 Axis(AxisIndices const& indices, __m512 a, __m512 b, __m512 c)
{
    return _mm512_permutex2var_ps(_mm512_permutex2var_ps(a, indices.fromFirstTwo, b), indices.withThird, c);
}

// The coordinates of points[0] to points[15].
[[gnu::target("avx512f")]] inline Coordinates LoadSixteen(GlobePoint const* points)
{
    static AxisIndices const xIndices = IndicesOfAxis(0);
    static AxisIndices const yIndices = IndicesOfAxis(1);
    static AxisIndices const zIndices = IndicesOfAxis(2);
    float const* const floats = reinterpret_cast<float const*>(points);
    __m512 const a = _mm512_loadu_ps(floats);
    __m512 const b = _mm512_loadu_ps(floats + 16);
    __m512 const c = _mm512_loadu_ps(floats + 32);
    return { Axis(xIndices, a, b, c), Axis(yIndices, a, b, c), Axis(zIndices, a, b, c) };
}

[[gnu::target("avx512f")]] inline __m256 LowHalf(__m512 value)
{
    return _mm512_castps512_ps256(value);
}

[[gnu::target("avx512f")]] inline __m256 HighHalf(__m512 value)
{
    return _mm256_castpd_ps(_mm512_extractf64x4_pd(_mm512_castps_pd(value), 1));
}

}

#pragma GCC diagnostic pop
