#include "render/hemisphere_cells.h"

#include "render/cell_canvas.h"
#include "render/hemisphere_cells_avx512.h"
#include "render/kernel_table.h"
#include "render/projected_points.h"

#include <cstddef>
#include <vector>

namespace {

// The projected grid and which points lie on the view's side are kept row by
// row, as the globe keeps its points, so that they are worked out in one pass
// through memory; the column walk then finds each cache line again for the
// neighbouring columns.
template<KernelLevel Level>
void FillCellByCell(PixelTarget const& target, GlobePoint const* points, std::uint32_t const* pixels, int gridN,
    HemisphereProjection const& projection, ViewSide side)
{
    std::size_t const count = static_cast<std::size_t>(gridN) * gridN;
    // Kept from one drawing to the next, so that drawing does not allocate.
    static std::vector<POINT> projected;
    static std::vector<std::uint8_t> onSide;
    projected.resize(count);
    onSide.resize(count);
    ProjectPoints(Level, projection, points, count, projected.data());
    for (std::size_t i = 0; i < count; ++i)
        onSide[i] = IsOnSide(side, points[i].z);

    CellCanvas canvas(target);
    for (int column = 0; column < gridN; ++column) {
        int const nextColumn = column + 1 == gridN ? 0 : column + 1;
        for (int row = 0; row < gridN; ++row) {
            std::size_t const rowStart = static_cast<std::size_t>(row) * gridN;
            if (!onSide[rowStart + column])
                continue;
            std::size_t const below = static_cast<std::size_t>(row + 1 == gridN ? 0 : row + 1) * gridN;
            POINT const corners[4] = {
                projected[rowStart + column],
                projected[below + column],
                projected[below + nextColumn],
                projected[rowStart + nextColumn],
            };
            canvas.FillQuad(corners, pixels[rowStart + column]);
        }
    }
}

using CellsKernel = void (*)(PixelTarget const&, GlobePoint const*, std::uint32_t const*, int,
    HemisphereProjection const&, ViewSide);

constexpr KernelTable<CellsKernel> CELLS_KERNELS { {
    FillCellByCell<KernelLevel::Portable>,
    FillCellByCell<KernelLevel::Sse2>,
    FillCellByCell<KernelLevel::Avx2>,
    FillHemisphereCellsAvx512,
} };

}

void FillHemisphereCells(KernelLevel level, PixelTarget const& target, GlobePoint const* points,
    std::uint32_t const* pixels, int gridN, HemisphereProjection const& projection, ViewSide side)
{
    CELLS_KERNELS.At(level)(target, points, pixels, gridN, projection, side);
}
