// The pixels a small cell of a dense grid fills, row by row, written once
// for one cell (Cells = int) and for lanes of cells (Cells = a GCC vector of
// ints): most cells of a view seen from afar span a row of sample points or
// two, a few near the rim some more. On each sample row a cell meets two or
// four of its edges; the sorted crossings bound the filled pixels in pairs,
// the same spans the general scanner gives under ALTERNATE. A crossing one
// or more rows below an edge's top, ceil(t * dx / dy), is exact in single
// precision for the small cells taken here: t * dx and dy stay below 2^11,
// so a quotient's rounding error stays below 2^-13, while a quotient that is
// not whole lies at least 1/dy > 2^-11 from the next whole number.
//
// Every comparison feeds a selection of its own, and masks are the flags
// such selections give: GCC 12 works out a comparison kept as a value, or
// masks combined with `&`, lane by lane at AVX-512.
#pragma once

#include "raster/polygon_scan.h"

#include <climits>
#include <type_traits>

namespace small_cells {

inline constexpr int NO_CROSSING = INT_MAX;

// The largest cells taken here: any other is left to the scanner.
inline constexpr int MAX_ROWS = 32;
inline constexpr int MAX_COLUMNS = 63;

template<typename Cells>
[[gnu::always_inline]] inline Cells Least(Cells a, Cells b)
{
    return a < b ? a : b;
}

template<typename Cells>
[[gnu::always_inline]] inline Cells Greatest(Cells a, Cells b)
{
    return a < b ? b : a;
}

template<typename Cells>
[[gnu::always_inline]] inline void Order(Cells& a, Cells& b)
{
    Cells const low = Least(a, b);
    b = Greatest(a, b);
    a = low;
}

// Each lane converted as a static_cast converts one value.
template<typename To, typename From>
[[gnu::always_inline]] inline To ConvertLanes(From value)
{
    if constexpr (std::is_arithmetic_v<From>)
        return static_cast<To>(value);
    else
        return __builtin_convertvector(value, To);
}

// What a row-by-row fill of cells needs: their edges, as the scanner keeps
// them, with the rows they may fill.
template<typename Cells>
struct SmallCells {
    // All-ones (or true) for a cell filled row by row here; every other cell
    // either fills no pixel or is `scanned`.
    Cells filled;
    // All-ones (or true) for a cell that may fill a pixel but is too large,
    // too far out or, under WINDING, folded: it needs the general scanner.
    Cells scanned;
    Cells top;  // the first sample row a cell may fill
    Cells rows; // how many rows from there it may fill
    Cells yTop[4];
    Cells yBottom[4];
    Cells xTop[4];
    Cells dx[4];
    Cells dy[4]; // 1 for a horizontal edge, which never counts
};

// Corners in the views' order: the cell's own point, the one below it, the
// one below and right, the one to its right. `onSide` is all-ones (or true)
// for a cell that is drawn at all.
template<typename Cells>
[[gnu::always_inline]] inline SmallCells<Cells> SmallCellsOf(Cells const (&cornerX)[4], Cells const (&cornerY)[4],
    Cells onSide, raster::ScanClip clip, raster::FillRule rule)
{
    Cells const none {};
    Cells const left = Least(Least(cornerX[0], cornerX[1]), Least(cornerX[2], cornerX[3]));
    Cells const right = Greatest(Greatest(cornerX[0], cornerX[1]), Greatest(cornerX[2], cornerX[3]));
    Cells const top = Least(Least(cornerY[0], cornerY[1]), Least(cornerY[2], cornerY[3]));
    Cells const bottom = Greatest(Greatest(cornerY[0], cornerY[1]), Greatest(cornerY[2], cornerY[3]));

    // A box without width or height holds no sample point, nor does one
    // beside the clip.
    Cells drawn = left != right ? onSide : none;
    drawn = top != bottom ? drawn : none;
    drawn = right > clip.left ? drawn : none;
    drawn = left < clip.right ? drawn : none;
    drawn = bottom > clip.top ? drawn : none;
    drawn = top < clip.bottom ? drawn : none;
    // Within +-2^30 no difference below overflows, and only such boxes are
    // measured; a box's extents bound its edges'.
    Cells moderate = left > -(1 << 30) ? drawn : none;
    moderate = right < (1 << 30) ? moderate : none;
    moderate = top > -(1 << 30) ? moderate : none;
    moderate = bottom < (1 << 30) ? moderate : none;
    Cells const width = (moderate != 0 ? right : none) - (moderate != 0 ? left : none);
    Cells const height = (moderate != 0 ? bottom : none) - (moderate != 0 ? top : none);
    Cells small = width <= MAX_COLUMNS ? moderate : none;
    small = height <= MAX_ROWS ? small : none;

    // Other cells are worked with their corners at 0, and left to the
    // scanner.
    Cells x[4], y[4];
    for (int corner = 0; corner < 4; ++corner) {
        x[corner] = small != 0 ? cornerX[corner] : none;
        y[corner] = small != 0 ? cornerY[corner] : none;
    }
    SmallCells<Cells> cells;
    cells.top = small != 0 ? top : none;
    cells.rows = small != 0 ? bottom - top : none;
    Cells down[4];
    for (int corner = 0; corner < 4; ++corner) {
        int const after = (corner + 1) & 3;
        Cells const yTop = Least(y[corner], y[after]);
        Cells const yBottom = Greatest(y[corner], y[after]);
        cells.yTop[corner] = yTop;
        cells.yBottom[corner] = yBottom;
        cells.xTop[corner] = y[corner] < y[after] ? x[corner] : x[after];
        cells.dx[corner] = (y[corner] < y[after] ? x[after] : x[corner]) - cells.xTop[corner];
        cells.dy[corner] = yBottom != yTop ? yBottom - yTop : none + 1;
        // +1 down, -1 up, 0 across.
        down[corner] = y[corner] < y[after] ? none + 1 : none;
        down[corner] = y[after] < y[corner] ? none - 1 : down[corner];
    }
    // Under WINDING a row that meets four edges is the scanner's. Only an
    // outline whose four edges alternate between down and up meets four.
    Cells filled = small;
    if (rule == raster::FillRule::Winding) {
        Cells folded = down[0] != 0 ? small : none;
        folded = down[0] + down[1] == 0 ? folded : none;
        folded = down[1] + down[2] == 0 ? folded : none;
        folded = down[2] + down[3] == 0 ? folded : none;
        filled = folded != 0 ? none : small;
    }
    cells.filled = filled;
    cells.scanned = filled == 0 ? drawn : none;
    return cells;
}

// The crossings on sample row `cells.top + row`, in ascending order,
// clamped to the clip, with NO_CROSSING past the last; a row outside the
// clip has none. `WithinTwoRows` may be set when no cell's `rows` exceeds
// 2: an edge then crosses a row one step below its top only when it is two
// rows tall, at ceil(dx / 2), and no division is needed.
template<typename Cells, typename Reals, bool WithinTwoRows = false>
[[gnu::always_inline]] inline void CrossingsOnRow(
    SmallCells<Cells> const& cells, int row, raster::ScanClip clip, Cells (&crossings)[4])
{
    Cells const none {};
    Cells const line = cells.top + row;
    for (int edge = 0; edge < 4; ++edge) {
        Cells const t = line - cells.yTop[edge];
        Cells ceiling;
        if constexpr (WithinTwoRows) {
            ceiling = (cells.dx[edge] + 1) >> 1;
        } else {
            Cells const product = t * cells.dx[edge];
            Reals const quotient = ConvertLanes<Reals>(product) / ConvertLanes<Reals>(cells.dy[edge]);
            Cells const truncated = ConvertLanes<Cells>(quotient);
            ceiling = ConvertLanes<Reals>(truncated) < quotient ? truncated + 1 : truncated;
        }
        Cells const x = t == 0 ? cells.xTop[edge] : cells.xTop[edge] + ceiling;
        Cells const clamped = Greatest(Least(x, none + clip.right), none + clip.left);
        Cells crossing = line < cells.yBottom[edge] ? clamped : none + NO_CROSSING;
        crossing = cells.yTop[edge] <= line ? crossing : none + NO_CROSSING;
        crossings[edge] = crossing;
    }
    Order(crossings[0], crossings[1]);
    Order(crossings[2], crossings[3]);
    Order(crossings[0], crossings[2]);
    Order(crossings[1], crossings[3]);
    Order(crossings[1], crossings[2]);
    for (Cells& crossing : crossings) {
        crossing = line >= clip.top ? crossing : none + NO_CROSSING;
        crossing = line < clip.bottom ? crossing : none + NO_CROSSING;
    }
}

} // namespace small_cells
