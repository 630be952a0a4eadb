// Sixteen grid points at a time in AVX-512: their coordinates taken apart
// from the interleaved x, y, z layout, and the truncations of the
// projection with the same result as TruncateToInt32 for every input. For
// functions compiled for AVX-512F only.
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

// TruncateToInt32 of each float: NaN gives 0, values from 2^31 up give
// INT32_MAX, and those below -2^31 the conversion's own INT32_MIN.
[[gnu::target("avx512f")]] inline __m512i TruncateToInt32(__m512 value)
{
    __m512i const truncated = _mm512_cvttps_epi32(value);
    __mmask16 const notANumber = _mm512_cmp_ps_mask(value, value, _CMP_UNORD_Q);
    __mmask16 const tooLarge = _mm512_cmp_ps_mask(value, _mm512_set1_ps(2147483648.0f), _CMP_GE_OQ);
    __m512i const saturated = _mm512_mask_mov_epi32(truncated, tooLarge, _mm512_set1_epi32(INT32_MAX));
    return _mm512_mask_mov_epi32(saturated, notANumber, _mm512_setzero_si512());
}

// TruncateToInt32 of each double: NaN gives 0, and clamping to the int
// range first saturates exactly as it does.
[[gnu::target("avx512f")]] inline __m256i TruncateToInt32(__m512d value)
{
    __mmask8 const isNumber = _mm512_cmp_pd_mask(value, value, _CMP_ORD_Q);
    __m512d const number = _mm512_maskz_mov_pd(isNumber, value);
    __m512d const clamped
        = _mm512_min_pd(_mm512_max_pd(number, _mm512_set1_pd(-2147483648.0)), _mm512_set1_pd(2147483647.0));
    return _mm512_cvttpd_epi32(clamped);
}

}

#pragma GCC diagnostic pop
