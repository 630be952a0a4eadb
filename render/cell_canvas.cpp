#include "render/cell_canvas.h"

#include <algorithm>
#include <cstddef>
#include <cstring>

namespace {

// For every position from `low` to `high`, the last cell (by index) whose
// span [min(edge i, edge i + 1), max(...)) holds it, or -1.
std::vector<std::int32_t> LastCellAt(std::vector<std::int32_t> const& edges, int low, int high)
{
    std::vector<std::int32_t> owner(static_cast<std::size_t>(std::max(0, high - low)), -1);
    for (std::size_t cell = 0; cell + 1 < edges.size(); ++cell) {
        int const first = std::clamp(std::min(edges[cell], edges[cell + 1]), low, std::max(low, high));
        int const last = std::clamp(std::max(edges[cell], edges[cell + 1]), low, std::max(low, high));
        std::fill(owner.begin() + (first - low), owner.begin() + (last - low), static_cast<std::int32_t>(cell));
    }
    return owner;
}

}

void CellCanvas::FillGrid(std::vector<std::int32_t> const& columnEdges, std::vector<std::int32_t> const& rowEdges,
    std::uint32_t const* pixels)
{
    raster::ScanClip const clip = m_target.clip;
    if (clip.IsEmpty() || columnEdges.size() < 2 || rowEdges.size() < 2)
        return;
    std::size_t const columns = columnEdges.size() - 1;
    std::vector<std::int32_t> const columnAt = LastCellAt(columnEdges, clip.left, clip.right);
    std::vector<std::int32_t> const rowAt = LastCellAt(rowEdges, clip.top, clip.bottom);

    // The pixels any column covers; a grid's columns tile one run.
    auto const covered = [&](std::int32_t column) { return column >= 0; };
    auto const firstCovered = std::find_if(columnAt.begin(), columnAt.end(), covered);
    if (firstCovered == columnAt.end())
        return;
    int const runStart = static_cast<int>(firstCovered - columnAt.begin());
    int const runEnd = static_cast<int>(std::find_if(columnAt.rbegin(), columnAt.rend(), covered).base() - columnAt.begin());
    std::int32_t const* const columnOf = columnAt.data();
    bool const gapless = std::all_of(columnAt.begin() + runStart, columnAt.begin() + runEnd, covered);

    // Pixel rows of the same cell row are alike: the first is filled, the
    // others copied from it (when no pixel of the run is left as it was).
    std::uint32_t const* previousRow = nullptr;
    std::int32_t previousCellRow = -1;
    for (int y = clip.top; y < clip.bottom; ++y) {
        std::int32_t const cellRow = rowAt[static_cast<std::size_t>(y - clip.top)];
        if (cellRow < 0)
            continue;
        std::uint32_t* const out = m_target.rows.Row(y) + clip.left;
        if (cellRow == previousCellRow && gapless) {
            std::memcpy(out + runStart, previousRow + runStart, sizeof(std::uint32_t) * (runEnd - runStart));
            continue;
        }
        std::uint32_t const* const colors = pixels + static_cast<std::size_t>(cellRow) * columns;
        for (int x = runStart; x < runEnd; ++x) {
            std::int32_t const column = columnOf[x];
            if (column >= 0)
                out[x] = colors[column];
        }
        previousRow = out;
        previousCellRow = cellRow;
    }
}
