#include "render/projected_points.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {

#if defined(__SSE2__)

// TruncateToInt32 for two lanes: NaN gives 0, and clamping to the int range
// first saturates exactly as TruncateToInt32 does.
__m128i TruncateToInts(__m128d value)
{
    __m128d const number = _mm_andnot_pd(_mm_cmpunord_pd(value, value), value);
    __m128d const clamped
        = _mm_min_pd(_mm_max_pd(number, _mm_set1_pd(-2147483648.0)), _mm_set1_pd(2147483647.0));
    return _mm_cvttpd_epi32(clamped);
}

#endif

}

void ProjectPoints(HemisphereProjection const& projection, GlobePoint const* points, std::size_t count,
    POINT* projected)
{
    std::size_t i = 0;
#if defined(__SSE2__)
    __m128d const scale = _mm_set1_pd(projection.scale);
    __m128d const centerX = _mm_set1_pd(projection.centerX);
    __m128d const centerY = _mm_set1_pd(projection.centerY);
    for (; i + 2 <= count; i += 2) {
        GlobePoint const a = points[i];
        GlobePoint const b = points[i + 1];
        __m128d const x = _mm_cvtepi32_pd(TruncateToInts(_mm_set_pd(b.x, a.x)));
        __m128d const y = _mm_cvtepi32_pd(TruncateToInts(_mm_set_pd(b.y, a.y)));
        __m128i const screenX = TruncateToInts(_mm_add_pd(centerX, _mm_mul_pd(x, scale)));
        __m128i const screenY = TruncateToInts(_mm_add_pd(centerY, _mm_mul_pd(y, scale)));
        // x0 y0 x1 y1: two POINTs.
        _mm_storeu_si128(reinterpret_cast<__m128i*>(projected + i), _mm_unpacklo_epi32(screenX, screenY));
    }
#endif
    for (; i < count; ++i) {
        ProjectedPoint const p = projection.Project(points[i].x, points[i].y);
        projected[i] = { p.x, p.y };
    }
}
