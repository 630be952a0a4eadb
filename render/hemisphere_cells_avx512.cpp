#include "render/hemisphere_cells_avx512.h"

#include "render/cell_canvas.h"

// Vectors pass only between functions of this file, all compiled for
// AVX-512F; GCC 12's conversions start from a deliberately undefined vector.
#pragma GCC diagnostic ignored "-Wpsabi"
#pragma GCC diagnostic ignored "-Wmaybe-uninitialized"
#pragma GCC diagnostic ignored "-Wuninitialized"

#include "render/avx512_points.h"
#include "render/cell_spans_avx512.h"
#include "render/projection_lanes.h"

#include <algorithm>
#include <cstddef>
#include <memory>
#include <vector>

namespace {

using namespace avx512_points;
using namespace cell_spans_avx512;

constexpr int BAND_COLUMNS = 16;
// A band row holds its 16 columns and the next column, which the band's last
// cells reach into.
constexpr int BAND_STRIDE = BAND_COLUMNS + 1;
constexpr int PREFETCH_ROWS = 8;

// The projection of one axis of sixteen points, eight at a time.
[[gnu::target("avx512f")]] inline __m512i ProjectAxis(__m512 coordinate, std::int32_t center, float scale)
{
    using projection_lanes::Avx512Lanes;
    Avx512Lanes::Reals const low = _mm512_cvtps_pd(LowHalf(coordinate));
    Avx512Lanes::Reals const high = _mm512_cvtps_pd(HighHalf(coordinate));
    auto const screenLow = (__m256i)projection_lanes::ProjectAxis<Avx512Lanes>(low, center, scale);
    auto const screenHigh = (__m256i)projection_lanes::ProjectAxis<Avx512Lanes>(high, center, scale);
    return _mm512_inserti64x4(_mm512_castsi256_si512(screenLow), screenHigh, 1);
}

// Sixteen neighbouring columns of the grid, every row plus row 0 again as
// row gridN: where each point projects, which of the band's points lie on
// the view's side and their pixels; then for each cell whether it covers a
// sample point inside the clip and, for most of those, the spans it fills.
class Band {
public:
    explicit Band(int gridN)
        : m_gridN(gridN)
        , m_words((gridN + 63) / 64)
        , m_x(static_cast<std::size_t>(gridN + 1) * BAND_STRIDE)
        , m_y(m_x.size())
        , m_pixels(static_cast<std::size_t>(gridN) * BAND_COLUMNS)
        , m_top(m_pixels.size())
        , m_left0(m_pixels.size())
        , m_right0(m_pixels.size())
        , m_left1(m_pixels.size())
        , m_right1(m_pixels.size())
        , m_sides(gridN)
        , m_scanned(gridN)
        , m_columnRows(static_cast<std::size_t>(BAND_COLUMNS) * m_words)
    {
    }

    int GridN() const { return m_gridN; }

    void Load(GlobePoint const* points, std::uint32_t const* pixels, HemisphereProjection const& projection,
        ViewSide side, raster::ScanClip clip, int first, int count);

    // Fills the band's cells, column by column, each from row 0.
    void Draw(int count, PixelTarget const& target, CellCanvas& canvas) const;

private:
    void LoadRowWide(GlobePoint const* row, std::uint32_t const* rowPixels, HemisphereProjection const& projection,
        ViewSide side, int index, int first);
    void LoadRowOneByOne(GlobePoint const* row, std::uint32_t const* rowPixels,
        HemisphereProjection const& projection, ViewSide side, int index, int first, int count);
    void PlanCells(int row, raster::ScanClip clip, std::uint16_t inBand);

    int m_gridN;
    int m_words;
    std::vector<std::int32_t> m_x;
    std::vector<std::int32_t> m_y;
    // Per cell, row by row, sixteen to a row.
    std::vector<std::uint32_t> m_pixels;
    std::vector<std::int32_t> m_top;
    std::vector<std::int32_t> m_left0;
    std::vector<std::int32_t> m_right0;
    std::vector<std::int32_t> m_left1;
    std::vector<std::int32_t> m_right1;
    // Per row, a bit for each of its cells.
    std::vector<std::uint16_t> m_sides;
    std::vector<std::uint16_t> m_scanned; // left to the polygon scanner
    // Per column, a bit for each row whose cell covers a sample point.
    std::vector<std::uint64_t> m_columnRows;
};

[[gnu::target("avx512f")]] void Band::LoadRowWide(GlobePoint const* row, std::uint32_t const* rowPixels,
    HemisphereProjection const& projection, ViewSide side, int index, int first)
{
    Coordinates const p = LoadSixteen(row + first);
    __mmask16 const onSide = side == ViewSide::Lower ? _mm512_cmp_ps_mask(p.z, _mm512_setzero_ps(), _CMP_LT_OQ)
                                                     : _mm512_cmp_ps_mask(p.z, _mm512_setzero_ps(), _CMP_GT_OQ);
    m_sides[index] = onSide;
    // Only the cells of this row and the one above read its corners; row 0
    // is also the last row's lower neighbour.
    if (onSide == 0 && index > 0 && m_sides[index - 1] == 0)
        return;
    std::size_t const start = static_cast<std::size_t>(index) * BAND_STRIDE;
    _mm512_storeu_si512(&m_x[start], ProjectAxis(p.x, projection.centerX, projection.scale));
    _mm512_storeu_si512(&m_y[start], ProjectAxis(p.y, projection.centerY, projection.scale));
    GlobePoint const next = row[(first + BAND_COLUMNS) % m_gridN];
    ProjectedPoint const projected = projection.Project(next.x, next.y);
    m_x[start + BAND_COLUMNS] = projected.x;
    m_y[start + BAND_COLUMNS] = projected.y;
    _mm512_storeu_si512(&m_pixels[static_cast<std::size_t>(index) * BAND_COLUMNS], _mm512_loadu_si512(rowPixels + first));
}

void Band::LoadRowOneByOne(GlobePoint const* row, std::uint32_t const* rowPixels,
    HemisphereProjection const& projection, ViewSide side, int index, int first, int count)
{
    std::size_t const start = static_cast<std::size_t>(index) * BAND_STRIDE;
    std::uint16_t onSide = 0;
    for (int offset = 0; offset <= count; ++offset) {
        int const column = (first + offset) % m_gridN;
        GlobePoint const p = row[column];
        ProjectedPoint const projected = projection.Project(p.x, p.y);
        m_x[start + offset] = projected.x;
        m_y[start + offset] = projected.y;
        if (offset == count)
            break;
        if (IsOnSide(side, p.z))
            onSide |= std::uint16_t(1u << offset);
        m_pixels[static_cast<std::size_t>(index) * BAND_COLUMNS + offset] = rowPixels[column];
    }
    m_sides[index] = onSide;
}

// Cell (row, offset) is drawn when its first point is on the view's side
// and its corners' bounding box has width and height and overlaps the clip:
// a box without either holds no sample point, nor does one beside the clip.
// A drawn cell whose corners lie within two rows, all well inside the int
// range, and whose rows each meet at most two edges gets its spans here;
// any other is left to the polygon scanner.
[[gnu::target("avx512f")]] void Band::PlanCells(int row, raster::ScanClip clip, std::uint16_t inBand)
{
    std::size_t const here = static_cast<std::size_t>(row) * BAND_STRIDE;
    std::size_t const below = here + BAND_STRIDE;
    if ((m_sides[row] & inBand) == 0)
        return;
    __m512i const x[4] = { _mm512_loadu_si512(&m_x[here]), _mm512_loadu_si512(&m_x[below]),
        _mm512_loadu_si512(&m_x[below + 1]), _mm512_loadu_si512(&m_x[here + 1]) };
    __m512i const y[4] = { _mm512_loadu_si512(&m_y[here]), _mm512_loadu_si512(&m_y[below]),
        _mm512_loadu_si512(&m_y[below + 1]), _mm512_loadu_si512(&m_y[here + 1]) };
    __m512i const left = _mm512_min_epi32(_mm512_min_epi32(x[0], x[1]), _mm512_min_epi32(x[2], x[3]));
    __m512i const right = _mm512_max_epi32(_mm512_max_epi32(x[0], x[1]), _mm512_max_epi32(x[2], x[3]));
    __m512i const top = _mm512_min_epi32(_mm512_min_epi32(y[0], y[1]), _mm512_min_epi32(y[2], y[3]));
    __m512i const bottom = _mm512_max_epi32(_mm512_max_epi32(y[0], y[1]), _mm512_max_epi32(y[2], y[3]));
    __mmask16 const drawn = m_sides[row] & inBand & _mm512_cmpneq_epi32_mask(left, right)
        & _mm512_cmpneq_epi32_mask(top, bottom) & _mm512_cmpgt_epi32_mask(right, _mm512_set1_epi32(clip.left))
        & _mm512_cmplt_epi32_mask(left, _mm512_set1_epi32(clip.right))
        & _mm512_cmpgt_epi32_mask(bottom, _mm512_set1_epi32(clip.top))
        & _mm512_cmplt_epi32_mask(top, _mm512_set1_epi32(clip.bottom));
    if (drawn == 0)
        return;

    // Within +-2^30 no difference or step below overflows.
    __m512i const limit = _mm512_set1_epi32(1 << 30);
    __m512i const negativeLimit = _mm512_set1_epi32(-(1 << 30));
    __mmask16 const moderate = _mm512_cmpgt_epi32_mask(left, negativeLimit) & _mm512_cmplt_epi32_mask(right, limit)
        & _mm512_cmpgt_epi32_mask(top, negativeLimit) & _mm512_cmplt_epi32_mask(bottom, limit);
    __mmask16 const short_ = moderate
        & _mm512_cmple_epi32_mask(_mm512_sub_epi32(bottom, top), _mm512_set1_epi32(2));
    CellSpans const spans = SpansOfCells(x, y, top, clip);
    std::size_t const cells = static_cast<std::size_t>(row) * BAND_COLUMNS;
    _mm512_storeu_si512(&m_top[cells], top);
    _mm512_storeu_si512(&m_left0[cells], spans.left0);
    _mm512_storeu_si512(&m_right0[cells], spans.right0);
    _mm512_storeu_si512(&m_left1[cells], spans.left1);
    _mm512_storeu_si512(&m_right1[cells], spans.right1);
    m_scanned[row] = static_cast<std::uint16_t>(drawn & ~(short_ & spans.twoCrossings));
    for (unsigned remaining = drawn; remaining != 0; remaining &= remaining - 1) {
        int const offset = __builtin_ctz(remaining);
        m_columnRows[static_cast<std::size_t>(offset) * m_words + row / 64] |= std::uint64_t { 1 } << (row % 64);
    }
}

// Fills left .. right on row y: up to sixteen pixels in one masked store.
[[gnu::target("avx512f")]] inline void FillShortSpan(raster::PixelRows rows, int y, int left, int right,
    __m512i pixel)
{
    int const length = right - left;
    if (length <= 0)
        return;
    std::uint32_t* const first = rows.Row(y) + left;
    if (length <= 16)
        _mm512_mask_storeu_epi32(first, static_cast<__mmask16>((1u << length) - 1), pixel);
    else
        std::fill(first, first + length, static_cast<std::uint32_t>(_mm_cvtsi128_si32(_mm512_castsi512_si128(pixel))));
}

[[gnu::target("avx512f")]] void Band::Draw(int count, PixelTarget const& target, CellCanvas& canvas) const
{
    // The stores into the pixels could alias the vectors' own pointers as
    // far as the compiler knows: read them once.
    std::int32_t const* const xs = m_x.data();
    std::int32_t const* const ys = m_y.data();
    std::uint32_t const* const pixels = m_pixels.data();
    std::int32_t const* const tops = m_top.data();
    std::int32_t const* const left0 = m_left0.data();
    std::int32_t const* const right0 = m_right0.data();
    std::int32_t const* const left1 = m_left1.data();
    std::int32_t const* const right1 = m_right1.data();
    std::uint16_t const* const scanned = m_scanned.data();
    raster::PixelRows const rows = target.rows;
    int const words = m_words;
    for (int offset = 0; offset < count; ++offset) {
        std::uint64_t const* const columnRows = &m_columnRows[static_cast<std::size_t>(offset) * words];
        for (int word = 0; word < words; ++word) {
            for (std::uint64_t bits = columnRows[word]; bits != 0; bits &= bits - 1) {
                int const row = word * 64 + __builtin_ctzll(bits);
                std::size_t const cell = static_cast<std::size_t>(row) * BAND_COLUMNS + offset;
                std::uint32_t const pixel = pixels[cell];
                if (scanned[row] >> offset & 1) {
                    std::size_t const here = static_cast<std::size_t>(row) * BAND_STRIDE + offset;
                    std::size_t const below = here + BAND_STRIDE;
                    POINT const corners[4] = {
                        { xs[here], ys[here] },
                        { xs[below], ys[below] },
                        { xs[below + 1], ys[below + 1] },
                        { xs[here + 1], ys[here + 1] },
                    };
                    canvas.FillCoveringQuad(corners, pixel);
                    continue;
                }
                __m512i const lanes = _mm512_set1_epi32(static_cast<int>(pixel));
                FillShortSpan(rows, tops[cell], left0[cell], right0[cell], lanes);
                FillShortSpan(rows, tops[cell] + 1, left1[cell], right1[cell], lanes);
            }
        }
    }
}

void Band::Load(GlobePoint const* points, std::uint32_t const* pixels, HemisphereProjection const& projection,
    ViewSide side, raster::ScanClip clip, int first, int count)
{
    std::fill(m_columnRows.begin(), m_columnRows.end(), 0);
    std::uint16_t const inBand = static_cast<std::uint16_t>((1u << count) - 1);
    GlobePoint const* const end = points + static_cast<std::size_t>(m_gridN) * m_gridN;
    for (int row = 0; row < m_gridN; ++row) {
        std::size_t const rowStart = static_cast<std::size_t>(row) * m_gridN;
        // Rows lie far apart in memory, beyond the hardware's stride
        // prefetch: ask for a later row's points now.
        GlobePoint const* const ahead = points + rowStart + static_cast<std::size_t>(PREFETCH_ROWS) * m_gridN + first;
        if (ahead + BAND_STRIDE <= end) {
            for (int line = 0; line < BAND_STRIDE * int { sizeof(GlobePoint) }; line += 64)
                __builtin_prefetch(reinterpret_cast<char const*>(ahead) + line);
        }
        if (count == BAND_COLUMNS)
            LoadRowWide(points + rowStart, pixels + rowStart, projection, side, row, first);
        else
            LoadRowOneByOne(points + rowStart, pixels + rowStart, projection, side, row, first, count);
        if (row > 0)
            PlanCells(row - 1, clip, inBand);
    }
    // The last row's cells close on row 0.
    std::copy_n(&m_x[0], BAND_STRIDE, &m_x[static_cast<std::size_t>(m_gridN) * BAND_STRIDE]);
    std::copy_n(&m_y[0], BAND_STRIDE, &m_y[static_cast<std::size_t>(m_gridN) * BAND_STRIDE]);
    PlanCells(m_gridN - 1, clip, inBand);
}

}

void FillHemisphereCellsAvx512(PixelTarget const& target, GlobePoint const* points, std::uint32_t const* pixels,
    int gridN, HemisphereProjection const& projection, ViewSide side)
{
    if (target.clip.IsEmpty())
        return;
    // Kept from one drawing to the next, so that drawing does not allocate.
    static std::unique_ptr<Band> band;
    if (!band || band->GridN() != gridN)
        band = std::make_unique<Band>(gridN);
    CellCanvas canvas(target);
    for (int first = 0; first < gridN; first += BAND_COLUMNS) {
        int const count = std::min(BAND_COLUMNS, gridN - first);
        band->Load(points, pixels, projection, side, target.clip, first, count);
        band->Draw(count, target, canvas);
    }
}
