#include "render/hemisphere_cells.h"

// Vectors pass only between functions of this file, each compiled for its
// instruction set.
#pragma GCC diagnostic ignored "-Wpsabi"

#include "render/drawing_order.h"
#include "render/kernel_table.h"
#include "render/swept_rows.h"
#include "render/small_cell_rule.h"
#include "simd/lanes.h"

#include <algorithm>
#include <cstddef>
#include <vector>

namespace {

struct Sweep {
    PixelTarget const& target;
    GlobePoint const* points;
    std::uint32_t const* pixels;
    int gridN;
    HemisphereProjection const& projection;
    ViewSide side;
};

// Kept from one drawing to the next, so that drawing does not allocate.
struct SweepScratch {
    SweptRows rows;
    DrawingOrder order;
    raster::PolygonScanner scanner;
};

SweepScratch& Scratch()
{
    static SweepScratch scratch;
    return scratch;
}

// Where the cells of one grid row, from `column` on, leave their pixels.
struct CellsOfRow {
    DrawingOrder& order;
    raster::PixelRows target;
    std::uint32_t const* pixels; // the row's own, by column
    int gridN;
    int row;
    int column;

    // A cell's place in the views' order: column by column, each from row 0.
    std::uint32_t NumberOf(int cell) const
    {
        return order.NumberOf(static_cast<std::uint32_t>(cell) * static_cast<std::uint32_t>(gridN) + row + 1);
    }
};

// The single pixels of the cells `singles` names, one by one.
template<typename Cells, int Width>
[[gnu::always_inline]] inline void FillSinglePixels(Cells singleX, Cells line, unsigned singles, CellsOfRow const& row)
{
    std::int32_t xs[Width];
    std::int32_t ys[Width];
    simd::StoreLanes(xs, singleX);
    simd::StoreLanes(ys, line);
    for (unsigned lanes = singles; lanes != 0; lanes &= lanes - 1) {
        int const lane = __builtin_ctz(lanes);
        int const cell = row.column + lane;
        row.order.FillPixel(row.target, xs[lane], ys[lane], row.NumberOf(cell), row.pixels[cell]);
    }
}

// The pixels one sample row of `Width` cells fills, from its sorted
// crossings: on most rows a cell fills one pixel or none, and those are
// filled apart, with no branch on their spans.
template<typename Cells, int Width>
[[gnu::always_inline]] inline void FillRow(Cells const (&c)[4], Cells filled, Cells line, CellsOfRow const& row)
{
    Cells const none {};
    Cells const first = c[0] < c[1] ? c[1] - c[0] : none;
    Cells const second = c[2] < c[3] ? c[3] - c[2] : none;
    Cells const length = first + second;
    Cells const single = length == 1 ? filled : none;
    Cells const several = length > 1 ? filled : none;
    Cells const singleX = first != 0 ? c[0] : c[2];
    FillSinglePixels<Cells, Width>(singleX, line, simd::SetLaneBits(single), row);
    unsigned const spans = simd::SetLaneBits(several);
    if (spans == 0)
        return;
    std::int32_t ys[Width];
    simd::StoreLanes(ys, line);
    std::int32_t crossings[4][Width];
    for (int i = 0; i < 4; ++i)
        simd::StoreLanes(crossings[i], c[i]);
    for (unsigned lanes = spans; lanes != 0; lanes &= lanes - 1) {
        int const lane = __builtin_ctz(lanes);
        int const cell = row.column + lane;
        std::uint32_t const number = row.NumberOf(cell);
        for (int pair = 0; pair < 4; pair += 2) {
            if (crossings[pair][lane] < crossings[pair + 1][lane])
                row.order.FillSpan(row.target, ys[lane], crossings[pair][lane], crossings[pair + 1][lane], number,
                    row.pixels[cell]);
        }
    }
}

// The cells of each row, `Width` at a time, from row 0 down: each cell's
// pixels are found where its row is, and a pixel takes the cell's colour
// unless a cell drawn after it in the views' order (column by column, each
// from row 0) has filled it already.
template<typename Cells, typename Depths, int Width>
[[gnu::always_inline]] inline void SweepCells(Sweep const& sweep, KernelLevel level)
{
    int const gridN = sweep.gridN;
    raster::ScanClip const clip = sweep.target.clip;
    raster::FillRule const rule = sweep.target.fillRule;
    raster::PixelRows const pixelRows = sweep.target.rows;
    SweepScratch& scratch = Scratch();
    int const groups = (gridN + Width - 1) / Width;
    scratch.rows.Begin(gridN, groups * Width + Width);
    scratch.order.Begin(clip, static_cast<std::uint64_t>(gridN) * static_cast<std::uint64_t>(gridN));
    DrawingOrder& order = scratch.order;

    for (int rowIndex = 0; rowIndex < gridN; ++rowIndex) {
        SweptRow& row = scratch.rows.Load(rowIndex, sweep.points, sweep.side);
        if (!row.anyOnSide)
            continue;
        scratch.rows.Project(row, level, sweep.points, sweep.projection);
        SweptRow& below = scratch.rows.Load(rowIndex + 1 == gridN ? 0 : rowIndex + 1, sweep.points, sweep.side);
        scratch.rows.Project(below, level, sweep.points, sweep.projection);
        std::uint32_t const* const rowPixels = sweep.pixels + static_cast<std::size_t>(rowIndex) * gridN;
        CellsOfRow cellsOfRow { order, pixelRows, rowPixels, gridN, rowIndex, 0 };

        for (int column = 0; column < gridN; column += Width) {
            Depths const z = simd::LoadLanes<Depths>(&row.z[column]);
            Cells const all = Cells {} - 1;
            Cells onSide = z < 0 ? all : Cells {};
            if (sweep.side == ViewSide::Upper)
                onSide = z > 0 ? all : Cells {};
            if (simd::SetLaneBits(onSide) == 0)
                continue;
            Cells const x[4] = { simd::LoadLanes<Cells>(&row.x[column]), simd::LoadLanes<Cells>(&below.x[column]),
                simd::LoadLanes<Cells>(&below.x[column + 1]), simd::LoadLanes<Cells>(&row.x[column + 1]) };
            Cells const y[4] = { simd::LoadLanes<Cells>(&row.y[column]), simd::LoadLanes<Cells>(&below.y[column]),
                simd::LoadLanes<Cells>(&below.y[column + 1]), simd::LoadLanes<Cells>(&row.y[column + 1]) };
            small_cells::SmallCells<Cells> const cells = small_cells::SmallCellsOf(x, y, onSide, clip, rule);
            unsigned const filled = simd::SetLaneBits(cells.filled);
            unsigned const scanned = simd::SetLaneBits(cells.scanned);
            if ((filled | scanned) == 0)
                continue;

            cellsOfRow.column = column;
            std::int32_t rows[Width];
            simd::StoreLanes(rows, cells.filled != 0 ? cells.rows : Cells {});
            int tallest = 0;
            for (int lane = 0; lane < Width; ++lane)
                tallest = std::max(tallest, rows[lane]);
            for (int line = 0; line < tallest; ++line) {
                Cells c[4];
                if (tallest <= 2)
                    small_cells::CrossingsOnRow<Cells, Depths, true>(cells, line, clip, c);
                else
                    small_cells::CrossingsOnRow<Cells, Depths>(cells, line, clip, c);
                FillRow<Cells, Width>(c, cells.filled, cells.top + line, cellsOfRow);
            }
            for (unsigned lanes = scanned; lanes != 0; lanes &= lanes - 1) {
                int const cell = column + __builtin_ctz(lanes);
                std::uint32_t const number = cellsOfRow.NumberOf(cell);
                std::uint32_t const pixel = rowPixels[cell];
                POINT const corners[4] = {
                    { row.x[cell], row.y[cell] },
                    { below.x[cell], below.y[cell] },
                    { below.x[cell + 1], below.y[cell + 1] },
                    { row.x[cell + 1], row.y[cell + 1] },
                };
                raster::ScanPolygon(scratch.scanner, corners, 4, rule, clip,
                    [&](int spanY, int x0, int x1) { order.FillSpan(pixelRows, spanY, x0, x1, number, pixel); });
            }
        }
    }
}

void SweepPortable(Sweep const& sweep)
{
    SweepCells<int, float, 1>(sweep, KernelLevel::Portable);
}

void SweepSse2(Sweep const& sweep)
{
    SweepCells<simd::Lanes<4>::Int, simd::Lanes<4>::Single, 4>(sweep, KernelLevel::Sse2);
}

[[gnu::target("avx2")]] void SweepAvx2(Sweep const& sweep)
{
    SweepCells<simd::Lanes<8>::Int, simd::Lanes<8>::Single, 8>(sweep, KernelLevel::Avx2);
}

// Eight cells at a time here too: GCC 12 works sixteen-lane integer
// selections out lane by lane, at well over twice the time of eight. The
// projection takes the level's full width.
[[gnu::target("avx512f")]] void SweepAvx512(Sweep const& sweep)
{
    SweepCells<simd::Lanes<8>::Int, simd::Lanes<8>::Single, 8>(sweep, KernelLevel::Avx512);
}

using SweepKernel = void (*)(Sweep const&);

constexpr KernelTable<SweepKernel> SWEEP_KERNELS { { SweepPortable, SweepSse2, SweepAvx2, SweepAvx512 } };

}

void FillHemisphereCells(KernelLevel level, PixelTarget const& target, GlobePoint const* points,
    std::uint32_t const* pixels, int gridN, HemisphereProjection const& projection, ViewSide side)
{
    if (target.clip.IsEmpty() || gridN <= 0)
        return;
    SWEEP_KERNELS.At(level)(Sweep { target, points, pixels, gridN, projection, side });
}
