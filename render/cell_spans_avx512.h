// The short-quad rule of raster/short_quad_scan.h for sixteen cells at once
// in AVX-512: for cells whose corners lie within two rows of sample points,
// the spans each fills on its top row and the next. For functions compiled
// for AVX-512F only.
#pragma once

#include "raster/polygon_scan.h"

#include <cstdint>

#include <immintrin.h>

#pragma GCC diagnostic push
// These vectors pass only between functions compiled for AVX-512F.
#pragma GCC diagnostic ignored "-Wpsabi"

namespace cell_spans_avx512 {

// Where each cell of a band row crosses the sample rows, for a cell within
// two rows of sample points: the row of its top corner and, on that row and
// the next, the span it fills (empty where it fills none). The spans are
// those of raster::ScanShortQuad.
struct CellSpans {
    __m512i left0;
    __m512i right0;
    __m512i left1;
    __m512i right1;
    __mmask16 twoCrossings; // no row meets more than two edges
};

// The least and greatest crossing, and the number of crossings, of one
// sample row.
struct RowCrossings {
    __m512i low;
    __m512i high;
    __m512i count;
};

[[gnu::target("avx512f")]] inline RowCrossings NoCrossings()
{
    return { _mm512_set1_epi32(INT32_MAX), _mm512_set1_epi32(INT32_MIN), _mm512_setzero_si512() };
}

[[gnu::target("avx512f")]] inline void AddCrossing(RowCrossings& row, __mmask16 counts, __m512i x)
{
    row.low = _mm512_mask_min_epi32(row.low, counts, row.low, x);
    row.high = _mm512_mask_max_epi32(row.high, counts, row.high, x);
    row.count = _mm512_mask_add_epi32(row.count, counts, row.count, _mm512_set1_epi32(1));
}

[[gnu::target("avx512f")]] inline __m512i Clamp(__m512i x, __m512i low, __m512i high)
{
    return _mm512_min_epi32(_mm512_max_epi32(x, low), high);
}

[[gnu::target("avx512f")]] inline __mmask16 RowInClip(__m512i row, raster::ScanClip clip)
{
    return _mm512_cmpge_epi32_mask(row, _mm512_set1_epi32(clip.top))
        & _mm512_cmplt_epi32_mask(row, _mm512_set1_epi32(clip.bottom));
}

// The edge from corner p to corner q of sixteen cells whose top row is
// `top`: on that row it counts when it starts there and is not horizontal,
// crossing at its upper end; on the next row when it ends two rows down,
// crossing one step below its top (at ceil(dx / 2)) or at its top.
[[gnu::target("avx512f")]] inline void AddEdge(__m512i px, __m512i py, __m512i qx, __m512i qy, __m512i top,
    __m512i clipLeft, __m512i clipRight, RowCrossings& row0, RowCrossings& row1)
{
    __mmask16 const down = _mm512_cmplt_epi32_mask(py, qy);
    __m512i const yTop = _mm512_min_epi32(py, qy);
    __m512i const yBottom = _mm512_max_epi32(py, qy);
    __m512i const xTop = _mm512_mask_blend_epi32(down, qx, px);
    __m512i const xBottom = _mm512_mask_blend_epi32(down, px, qx);
    __m512i const next = _mm512_add_epi32(top, _mm512_set1_epi32(1));
    __m512i const halfStep = _mm512_srai_epi32(_mm512_add_epi32(_mm512_sub_epi32(xBottom, xTop), _mm512_set1_epi32(1)), 1);
    __mmask16 const onTop = _mm512_cmpeq_epi32_mask(yTop, top) & _mm512_cmpneq_epi32_mask(yBottom, yTop);
    __mmask16 const onNext = _mm512_cmple_epi32_mask(yTop, next) & _mm512_cmpgt_epi32_mask(yBottom, next);
    __m512i const nextX = _mm512_mask_blend_epi32(_mm512_cmpeq_epi32_mask(yTop, next), _mm512_add_epi32(xTop, halfStep), xTop);
    AddCrossing(row0, onTop, Clamp(xTop, clipLeft, clipRight));
    AddCrossing(row1, onNext, Clamp(nextX, clipLeft, clipRight));
}

// Corners a, b, c, d in the views' order: the cell's own point, the one
// below it, the one below and right, the one to its right.
[[gnu::target("avx512f")]] inline CellSpans SpansOfCells(__m512i const (&x)[4], __m512i const (&y)[4], __m512i top,
    raster::ScanClip clip)
{
    __m512i const clipLeft = _mm512_set1_epi32(clip.left);
    __m512i const clipRight = _mm512_set1_epi32(clip.right);
    RowCrossings row0 = NoCrossings();
    RowCrossings row1 = NoCrossings();
    for (int corner = 0; corner < 4; ++corner) {
        int const after = (corner + 1) & 3;
        AddEdge(x[corner], y[corner], x[after], y[after], top, clipLeft, clipRight, row0, row1);
    }
    __m512i const two = _mm512_set1_epi32(2);
    __m512i const next = _mm512_add_epi32(top, _mm512_set1_epi32(1));
    __mmask16 const fills0 = _mm512_cmpeq_epi32_mask(row0.count, two) & _mm512_cmplt_epi32_mask(row0.low, row0.high)
        & RowInClip(top, clip);
    __mmask16 const fills1 = _mm512_cmpeq_epi32_mask(row1.count, two) & _mm512_cmplt_epi32_mask(row1.low, row1.high)
        & RowInClip(next, clip);
    return { _mm512_maskz_mov_epi32(fills0, row0.low), _mm512_maskz_mov_epi32(fills0, row0.high),
        _mm512_maskz_mov_epi32(fills1, row1.low), _mm512_maskz_mov_epi32(fills1, row1.high),
        static_cast<__mmask16>(_mm512_cmple_epi32_mask(row0.count, two) & _mm512_cmple_epi32_mask(row1.count, two)) };
}

}

#pragma GCC diagnostic pop
