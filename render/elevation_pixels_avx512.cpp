#include "render/elevation_pixels_avx512.h"

#include "render/avx512_points.h"
#include "render/elevation_rule.h"

#include <cfloat>

#include <immintrin.h>

// Vectors pass between functions of this file only, all compiled for
// AVX-512F.
#pragma GCC diagnostic ignored "-Wpsabi"
// GCC 12's conversions and square roots start from a deliberately undefined
// vector.
#pragma GCC diagnostic ignored "-Wmaybe-uninitialized"

namespace elevation_pixels {

using namespace avx512_points;

namespace {

// Within this land or depth fraction every product, sum and rounding below
// stays far inside the int range, where truncating to 32 bits keeps the same
// low byte as truncating to 64.
constexpr double EXACT_FRACTION = 1048576.0;

struct Channels {
    __m256i packed;
    __mmask8 inRange;
};

// Eight points, operation for operation as ElevationColor. The depth
// fraction of the sea, (seaLevel - r) / span, is exactly -t, so
// 255 - 100 * depth is exactly 100 * t + 255.
[[gnu::target("avx512f")]] inline Channels ColorsOfEight(__m256 fx, __m256 fy, __m256 fz, __m512d seaLevel,
    __m512d span)
{
    __m512d const x = _mm512_cvtps_pd(fx);
    __m512d const y = _mm512_cvtps_pd(fy);
    __m512d const z = _mm512_cvtps_pd(fz);
    __m512d const h = _mm512_sqrt_pd(_mm512_add_pd(_mm512_mul_pd(x, x), _mm512_mul_pd(y, y)));
    __m512d const radius = _mm512_sqrt_pd(_mm512_add_pd(_mm512_mul_pd(h, h), _mm512_mul_pd(z, z)));
    __mmask8 const fitsSingle = _mm512_cmp_pd_mask(radius, _mm512_set1_pd(FLT_MAX), _CMP_LE_OQ);
    __m512d const r = _mm512_cvtps_pd(_mm512_cvtpd_ps(_mm512_maskz_mov_pd(fitsSingle, radius)));

    __m512d const fraction = _mm512_div_pd(_mm512_sub_pd(r, seaLevel), span);
    __mmask8 const inRange = fitsSingle
        & _mm512_cmp_pd_mask(fraction, _mm512_set1_pd(-EXACT_FRACTION), _CMP_GT_OQ)
        & _mm512_cmp_pd_mask(fraction, _mm512_set1_pd(EXACT_FRACTION), _CMP_LT_OQ);
    __m512d const t = _mm512_maskz_mov_pd(inRange, fraction);
    __mmask8 const land = _mm512_cmp_pd_mask(r, seaLevel, _CMP_GE_OQ);
    __m512d const p = _mm512_mul_pd(t, _mm512_set1_pd(255.0));
    __mmask8 const peak = land & _mm512_cmp_pd_mask(p, _mm512_set1_pd(PEAK_THRESHOLD), _CMP_GT_OQ);
    __mmask8 const plain = land & ~peak;

    __m512d const nearWhite = _mm512_set1_pd(254.0);
    __m512d const peakRed = _mm512_cvtps_pd(_mm512_cvtpd_ps(p));
    __m512d const landRed = _mm512_add_pd(_mm512_mul_pd(_mm512_set1_pd(220.0), t), _mm512_set1_pd(34.0));
    __m512d const landGreen = _mm512_add_pd(_mm512_mul_pd(_mm512_set1_pd(85.0), t), _mm512_set1_pd(171.0));
    __m512d const landBlue = _mm512_add_pd(_mm512_mul_pd(_mm512_set1_pd(75.0), t), _mm512_set1_pd(65.0));
    __m512d const seaBlue = _mm512_add_pd(_mm512_mul_pd(t, _mm512_set1_pd(100.0)), _mm512_set1_pd(255.0));

    __m512d const red = _mm512_mask_mov_pd(_mm512_maskz_mov_pd(plain, landRed), peak, peakRed);
    __m512d const green = _mm512_mask_mov_pd(_mm512_maskz_mov_pd(plain, landGreen), peak, nearWhite);
    __m512d const blue = _mm512_mask_mov_pd(_mm512_mask_mov_pd(seaBlue, plain, landBlue), peak, nearWhite);

    // Each channel's low byte, truncated toward zero.
    __m256i const byteMask = _mm256_set1_epi32(0xFF);
    __m256i const redByte = _mm256_and_si256(_mm512_cvttpd_epi32(red), byteMask);
    __m256i const greenByte = _mm256_and_si256(_mm512_cvttpd_epi32(green), byteMask);
    __m256i const blueByte = _mm256_and_si256(_mm512_cvttpd_epi32(blue), byteMask);
    __m256i const packed = _mm256_or_si256(_mm256_or_si256(_mm256_slli_epi32(redByte, 16),
                                               _mm256_slli_epi32(greenByte, 8)),
        blueByte);
    return { packed, inRange };
}

}

[[gnu::target("avx512f")]] bool PixelRunAvx512(GlobePoint const* points, std::size_t count, double seaLevel,
    double span, std::uint32_t* pixels)
{
    __m512d const sea = _mm512_set1_pd(seaLevel);
    __m512d const spanLanes = _mm512_set1_pd(span);
    __mmask8 allInRange = 0xFF;
    for (std::size_t i = 0; i + AVX512_WIDTH <= count; i += AVX512_WIDTH) {
        Coordinates const p = LoadSixteen(points + i);
        Channels const low = ColorsOfEight(LowHalf(p.x), LowHalf(p.y), LowHalf(p.z), sea, spanLanes);
        Channels const high = ColorsOfEight(HighHalf(p.x), HighHalf(p.y), HighHalf(p.z), sea, spanLanes);
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(pixels + i), low.packed);
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(pixels + i + 8), high.packed);
        allInRange &= low.inRange & high.inRange;
    }
    return allInRange == 0xFF;
}

}
