// The hemisphere views' band sweep for processors with AVX-512, sixteen cells
// at a time.
//
// The plain headers come first and keep the default instruction set: their
// inline functions are shared with the other levels' files. The sweep's
// templates (and the rule's and point loads they use) follow, compiled for
// AVX-512. GCC 12 gives a comparison of sixteen-lane vectors the type of
// mask of the instruction set where the template is defined; defined for
// another, it works every such selection out lane by lane, at four times the
// time of eight lanes. Any operation still worked out piecewise stops the
// build.
#include "raster/polygon_scan.h"
#include "render/band_sweep_setup.h"
#include "render/column_fills.h"
#include "render/hemisphere_cells.h"
#include "simd/kernel_level.h"
#include "simd/lanes.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <utility>

#pragma GCC push_options
#pragma GCC target("avx512f,avx512vl,avx512dq")
#pragma GCC diagnostic push
#pragma GCC diagnostic error "-Wvector-operation-performance"
#pragma GCC diagnostic ignored "-Wpsabi"

#include "globe/point_lanes.h"
#include "render/band_sweep.h"
#include "render/small_cell_rule.h"

void band_sweep::SweepAvx512(Sweep const& sweep)
{
    SweepCells<simd::Lanes<16>::Int, simd::Lanes<16>::Single, 16>(sweep, KernelLevel::Avx512);
}

#pragma GCC diagnostic pop
#pragma GCC pop_options
