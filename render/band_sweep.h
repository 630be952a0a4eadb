// The hemisphere views' band sweep, written once for one cell (Cells =
// int) and for lanes of cells: the cells of a band of columns row by row,
// the pixels each fills kept in its column's list, filled in the views'
// order once the band is done.
//
// Templates only, instantiated at one kernel level in each file that
// includes this: a file whose level needs an instruction set of its own
// sets it before including this (and the rule's headers), since GCC 12
// types the comparisons of a template by the instruction set where the
// template is defined.
#pragma once

// Vectors pass only between functions compiled for their instruction set.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wpsabi"

#include "globe/point_lanes.h"
#include "render/band_sweep_setup.h"
#include "render/small_cell_rule.h"
#include "simd/lanes.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>

namespace band_sweep {

// Where the cells of one grid row, from the band's column `column` on, leave
// their pixels.
struct CellsOfRow {
    ColumnFills& fills;
    raster::PixelRows target;
    std::uint32_t const* pixels; // the band's own, by band column
    int column;
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
        row.fills.Add(cell, row.target.Row(ys[lane]) + xs[lane], 1, row.pixels[cell]);
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
        std::uint32_t* const pixels = row.target.Row(ys[lane]);
        for (int pair = 0; pair < 4; pair += 2) {
            int const x0 = crossings[pair][lane];
            int const x1 = crossings[pair + 1][lane];
            if (x0 < x1)
                row.fills.Add(cell, pixels + x0, x1 - x0, row.pixels[cell]);
        }
    }
}

// The sides of the `count` (at most Width) points of `row` from `column`
// on, from the band's points from `first`.
template<typename Cells, typename Depths, int Width>
[[gnu::always_inline]] inline Cells StoreSides(
    SweptRow& row, GlobePoint const* first, int column, int count, ViewSide side)
{
    Depths z {};
    if constexpr (Width == 1) {
        z = first[column].z;
    } else if (count == Width) {
        z = LoadPoints<Width>(first + column).z;
    } else {
        for (int lane = 0; lane < count; ++lane)
            z[lane] = first[column + lane].z;
    }
    Cells const all = Cells {} - 1;
    Cells const onSide = side == ViewSide::Lower ? (z < 0 ? all : Cells {}) : (z > 0 ? all : Cells {});
    simd::StoreLanes(&row.onSide[column], onSide);
    return onSide;
}

// Row `index` of the band with its points' sides, `Width` at a time in
// `Cells` (int lanes, or int for one) from their z in `Depths`; a row that
// the sweep's row sides say does not reach its side is not read.
template<typename Cells, typename Depths, int Width>
[[gnu::always_inline]] inline SweptRow& LoadRow(SweptRows& rows, int index, Sweep const& sweep)
{
    SweptRow& row = rows.Slot(index);
    if (row.index == index)
        return row;
    row.index = index;
    row.projected = false;
    if (sweep.rowSides && (sweep.rowSides[index] & ReachedBit(sweep.side)) == 0) {
        row.anyOnSide = false;
        return row;
    }
    GlobePoint const* const first = rows.BandStart(sweep.points, index);
    int const columns = rows.Columns();
    Cells any {};
    int column = 0;
    for (; column + Width <= columns; column += Width)
        any |= StoreSides<Cells, Depths, Width>(row, first, column, Width, sweep.side);
    if (column < columns)
        any |= StoreSides<Cells, Depths, Width>(row, first, column, columns - column, sweep.side);
    row.anyOnSide = simd::SetLaneBits(any) != 0;
    return row;
}

// The cells of a band of columns, row by row from row 0 down and `Width` at a
// time along each row, with the pixels each fills kept in its column's list
// until the band is done.
template<typename Cells, typename Depths, int Width>
[[gnu::always_inline]] inline void SweepBand(Sweep const& sweep, KernelLevel level, int first, int columns)
{
    int const gridN = sweep.gridN;
    raster::ScanClip const clip = sweep.target.clip;
    raster::FillRule const rule = sweep.target.fillRule;
    raster::PixelRows const pixelRows = sweep.target.rows;
    SweepScratch& scratch = ScratchOf<Width>();
    scratch.rows.Begin(gridN, first, columns, BAND_COLUMNS + Width);
    scratch.fills.Begin(columns);
    ColumnFills& fills = scratch.fills;

    std::uint8_t const reached = ReachedBit(sweep.side);
    for (int rowIndex = 0; rowIndex < gridN; ++rowIndex) {
        // The points three rows on, where they will be read: a row is read
        // when it reaches the side or the row above it does.
        int const ahead = rowIndex + 3;
        if (ahead < gridN
            && (!sweep.rowSides || ((sweep.rowSides[ahead - 1] | sweep.rowSides[ahead]) & reached) != 0))
            Prefetch(sweep.points + static_cast<std::size_t>(ahead) * gridN + first, columns * sizeof(GlobePoint));
        SweptRow& row = LoadRow<Cells, Depths, Width>(scratch.rows, rowIndex, sweep);
        if (!row.anyOnSide)
            continue;
        scratch.rows.Project(row, level, sweep.points, sweep.projection);
        SweptRow& below = LoadRow<Cells, Depths, Width>(scratch.rows, rowIndex + 1 == gridN ? 0 : rowIndex + 1, sweep);
        scratch.rows.Project(below, level, sweep.points, sweep.projection);
        if (below.anyOnSide && below.index != 0)
            Prefetch(sweep.pixels + static_cast<std::size_t>(below.index) * gridN + first,
                columns * sizeof(std::uint32_t));
        std::uint32_t const* const rowPixels = sweep.pixels + static_cast<std::size_t>(rowIndex) * gridN + first;
        CellsOfRow cellsOfRow { fills, pixelRows, rowPixels, 0 };

        for (int column = 0; column < columns; column += Width) {
            Cells const onSide = simd::LoadLanes<Cells>(&row.onSide[column]);
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
                std::uint32_t const pixel = rowPixels[cell];
                POINT const corners[4] = {
                    { row.x[cell], row.y[cell] },
                    { below.x[cell], below.y[cell] },
                    { below.x[cell + 1], below.y[cell + 1] },
                    { row.x[cell + 1], row.y[cell + 1] },
                };
                raster::ScanPolygon(scratch.scanner, corners, 4, rule, clip, [&](int spanY, int x0, int x1) {
                    fills.Add(cell, pixelRows.Row(spanY) + x0, x1 - x0, pixel);
                });
            }
        }
    }
    fills.FillAll();
}

// The bands from column 0 on, each filled before the next is swept.
template<typename Cells, typename Depths, int Width>
[[gnu::always_inline]] inline void SweepCells(Sweep const& sweep, KernelLevel level)
{
    static_assert(BAND_COLUMNS % Width == 0);
    for (int first = 0; first < sweep.gridN; first += BAND_COLUMNS)
        SweepBand<Cells, Depths, Width>(sweep, level, first, std::min(BAND_COLUMNS, sweep.gridN - first));
}

}

#pragma GCC diagnostic pop
