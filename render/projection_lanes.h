// HemisphereProjection::Project for a vector of points at once, written once
// for every lane width: the same arithmetic on each lane as the scalar form,
// with the same result for every input. A lane set supplies its vector of
// doubles and the one step that needs the instruction set's own minimum and
// maximum (GCC works vector conditionals on doubles out lane by lane under
// AVX-512F): TruncateToInt32 of each lane.
#pragma once

#include "render/hemisphere_projection.h"

#include <cstdint>

#include <immintrin.h>

#pragma GCC diagnostic push
// These vectors pass only between functions compiled for their instruction
// set.
#pragma GCC diagnostic ignored "-Wpsabi"

namespace projection_lanes {

// trunc(center + trunc(coordinate) * scale) on each lane.
template<typename Lanes>
[[gnu::always_inline]] inline auto ProjectAxis(typename Lanes::Reals const& coordinate, std::int32_t center, float scale)
{
    using Reals = typename Lanes::Reals;
    static_assert(sizeof(typename Lanes::Ints) * 2 == sizeof(Reals));
    Reals const whole = __builtin_convertvector(Lanes::Truncate(coordinate), Reals);
    Reals const scaled = whole * static_cast<double>(scale);
    return Lanes::Truncate(static_cast<double>(center) + scaled);
}

// Clamping to the int range saturates exactly as TruncateToInt32 does; a NaN
// is first made 0.
struct Sse2Lanes {
    typedef double Reals __attribute__((vector_size(16)));
    typedef std::int32_t Ints __attribute__((vector_size(8)));
    static constexpr int WIDTH = 2;

    static Ints Truncate(Reals value)
    {
        __m128d const number = _mm_andnot_pd(_mm_cmpunord_pd(value, value), value);
        __m128d const clamped = _mm_min_pd(_mm_max_pd(number, _mm_set1_pd(-2147483648.0)), _mm_set1_pd(2147483647.0));
        return (Ints)_mm_cvtsi128_si64(_mm_cvttpd_epi32(clamped));
    }
};

struct Avx2Lanes {
    typedef double Reals __attribute__((vector_size(32)));
    typedef std::int32_t Ints __attribute__((vector_size(16)));
    static constexpr int WIDTH = 4;

    [[gnu::target("avx2")]] static Ints Truncate(Reals value)
    {
        __m256d const number = _mm256_andnot_pd(_mm256_cmp_pd(value, value, _CMP_UNORD_Q), value);
        __m256d const clamped
            = _mm256_min_pd(_mm256_max_pd(number, _mm256_set1_pd(-2147483648.0)), _mm256_set1_pd(2147483647.0));
        return (Ints)_mm256_cvttpd_epi32(clamped);
    }
};

struct Avx512Lanes {
    typedef double Reals __attribute__((vector_size(64)));
    typedef std::int32_t Ints __attribute__((vector_size(32)));
    static constexpr int WIDTH = 8;

    [[gnu::target("avx512f")]] static Ints Truncate(Reals value)
    {
        __mmask8 const isNumber = _mm512_cmp_pd_mask(value, value, _CMP_ORD_Q);
        __m512d const number = _mm512_maskz_mov_pd(isNumber, value);
        __m512d const clamped
            = _mm512_min_pd(_mm512_max_pd(number, _mm512_set1_pd(-2147483648.0)), _mm512_set1_pd(2147483647.0));
        return (Ints)_mm512_cvttpd_epi32(clamped);
    }
};

}

#pragma GCC diagnostic pop
