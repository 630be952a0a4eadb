// Cells filled straight into 32-bit pixels, with the coverage rule GDI's
// Polygon follows: what a cell's solid brush and null pen would paint, pixel
// for pixel, at the cost of a fill. Cells are filled in the order they are
// given, later ones over earlier ones.
#pragma once

#include "render/pixel_target.h"

#include "raster/polygon_scan.h"
#include "raster/short_quad_scan.h"

#include <algorithm>
#include <cstdint>
#include <vector>

class CellCanvas {
public:
    explicit CellCanvas(PixelTarget const& target)
        : m_target(target)
    {
    }

    // A quadrilateral, as Polygon fills it.
    void FillQuad(POINT const (&corners)[4], std::uint32_t pixel)
    {
        // Most cells of a dense grid cover no sample point: those whose
        // corners share one row or one column, or that lie beside the clip,
        // are passed over before the scan.
        LONG const left = std::min(std::min(corners[0].x, corners[1].x), std::min(corners[2].x, corners[3].x));
        LONG const right = std::max(std::max(corners[0].x, corners[1].x), std::max(corners[2].x, corners[3].x));
        LONG const top = std::min(std::min(corners[0].y, corners[1].y), std::min(corners[2].y, corners[3].y));
        LONG const bottom = std::max(std::max(corners[0].y, corners[1].y), std::max(corners[2].y, corners[3].y));
        if (left == right || top == bottom || right <= m_target.clip.left || left >= m_target.clip.right
            || bottom <= m_target.clip.top || top >= m_target.clip.bottom)
            return;
        FillCovering(corners, top, bottom, pixel);
    }

    // A quadrilateral whose corners are known to span more than one column
    // and more than one row and to reach into the clip.
    void FillCoveringQuad(POINT const (&corners)[4], std::uint32_t pixel)
    {
        LONG const top = std::min(std::min(corners[0].y, corners[1].y), std::min(corners[2].y, corners[3].y));
        LONG const bottom = std::max(std::max(corners[0].y, corners[1].y), std::max(corners[2].y, corners[3].y));
        FillCovering(corners, top, bottom, pixel);
    }

    // A grid of rectangular cells, the same row edges in every column, as
    // DrawMap draws it column by column: cell (row, column) spans
    // columnEdges[column] .. columnEdges[column + 1] across and rowEdges[row]
    // .. rowEdges[row + 1] down, in either order, in the colour
    // pixels[row * columns + column]. Where cells overlap, the one drawn
    // later (the larger column, then the larger row) wins, so the grid is
    // filled row by row with the same result.
    void FillGrid(std::vector<std::int32_t> const& columnEdges, std::vector<std::int32_t> const& rowEdges,
        std::uint32_t const* pixels);

private:
    void FillCovering(POINT const (&corners)[4], LONG top, LONG bottom, std::uint32_t pixel)
    {
        if (bottom - top == 1 && FillOneRow(corners, top, pixel))
            return;
        raster::ShortSpans spans;
        if (bottom - top == 2 && raster::ScanShortQuad(corners, m_target.clip, spans)) {
            for (int i = 0; i < spans.count; ++i)
                raster::FillSpan(m_target.rows.Row(spans.spans[i].y), spans.spans[i].x0, spans.spans[i].x1, pixel);
            return;
        }
        raster::ScanPolygon(m_scanner, corners, 4, m_target.fillRule, m_target.clip,
            [&](int y, int x0, int x1) { raster::FillSpan(m_target.rows.Row(y), x0, x1, pixel); });
    }

    // A cell within one row of sample points, y = row: every edge that is
    // not horizontal counts on that row and crosses it at its upper end.
    // With two such edges the span between them is filled and true
    // returned; with four (an outline that folds within the row) false, and
    // the scanner decides.
    bool FillOneRow(POINT const (&corners)[4], int row, std::uint32_t pixel)
    {
        LONG crossings[4];
        int count = 0;
        for (int i = 0; i < 4; ++i) {
            POINT const a = corners[i];
            POINT const b = corners[(i + 1) & 3];
            if (a.y != b.y)
                crossings[count++] = a.y < b.y ? a.x : b.x;
        }
        if (count != 2)
            return false;
        int const x0 = std::clamp<LONG>(std::min(crossings[0], crossings[1]), m_target.clip.left, m_target.clip.right);
        int const x1 = std::clamp<LONG>(std::max(crossings[0], crossings[1]), m_target.clip.left, m_target.clip.right);
        if (x0 < x1)
            raster::FillSpan(m_target.rows.Row(row), x0, x1, pixel);
        return true;
    }

    PixelTarget m_target;
    raster::PolygonScanner m_scanner;
};
