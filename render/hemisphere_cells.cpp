#include "render/hemisphere_cells.h"

// Vectors pass only between functions of this file, each compiled for its
// instruction set.
#pragma GCC diagnostic ignored "-Wpsabi"

#include "render/band_sweep.h"
#include "render/kernel_table.h"
#include "simd/lanes.h"

namespace {

using band_sweep::Sweep;
using band_sweep::SweepCells;

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

using SweepKernel = void (*)(Sweep const&);

constexpr KernelTable<SweepKernel> SWEEP_KERNELS { { SweepPortable, SweepSse2, SweepAvx2, band_sweep::SweepAvx512 } };

}

void FillHemisphereCells(KernelLevel level, PixelTarget const& target, ViewedGrid const& grid,
    HemisphereProjection const& projection, ViewSide side)
{
    if (target.clip.IsEmpty() || grid.gridN <= 0)
        return;
    SWEEP_KERNELS.At(level)(
        band_sweep::Sweep { target, grid.points, grid.pixels, grid.rowSides, grid.gridN, projection, side });
}
