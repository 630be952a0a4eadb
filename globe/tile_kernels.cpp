#include "globe/tile_kernels.h"

#include "globe/point_lanes.h"

#include <utility>

// The vector forms below are only ever called inside this file, from
// functions compiled for their instruction set: their vector arguments never
// cross an ABI boundary.
#pragma GCC diagnostic ignored "-Wpsabi"

namespace {

// One step for one point or one group of lanes.
template<typename Points>
[[gnu::always_inline]] inline void ApplyStep(Points& p, TileStep const& step)
{
    if (step.tested)
        ApplyCutTo(p, step.q, step.factor);
    else
        p = ScaledWhere(true, p, step.factor);
}

void ApplyStepsToTilePortable(TileSpan const& tile, TileStep const* steps, int stepCount)
{
    for (int i = 0; i < tile.rows; ++i) {
        GlobePoint* run = tile.first + i * tile.stride;
        for (int j = 0; j < tile.width; ++j) {
            for (int s = 0; s < stepCount; ++s)
                ApplyStep(run[j], steps[s]);
        }
    }
}

// The extremes a tile measure keeps, over one point at a time or lanes of
// points.
template<typename Real>
struct MeasureOf {
    Real minRadiusSquared;
    Real maxRadiusSquared;
    Real minAxial;
    Real maxPerpendicularSquared;

    static MeasureOf Empty() { return { Real {} + 1e300, Real {}, Real {} + 1e300, Real {} }; }

    [[gnu::always_inline]] void Add(Real x, Real y, Real z, double ax, double ay, double az)
    {
        Real const r2 = (x * x + y * y) + z * z;
        Real const axial = (ax * x + ay * y) + az * z;
        Real const perpendicular = r2 - axial * axial;
        minRadiusSquared = r2 < minRadiusSquared ? r2 : minRadiusSquared;
        maxRadiusSquared = r2 > maxRadiusSquared ? r2 : maxRadiusSquared;
        minAxial = axial < minAxial ? axial : minAxial;
        maxPerpendicularSquared = perpendicular > maxPerpendicularSquared ? perpendicular : maxPerpendicularSquared;
    }
};

TileMeasure MeasureTilePortable(TileSpan const& tile, double ax, double ay, double az)
{
    MeasureOf<double> m = MeasureOf<double>::Empty();
    for (int i = 0; i < tile.rows; ++i) {
        GlobePoint const* run = tile.first + i * tile.stride;
        for (int j = 0; j < tile.width; ++j)
            m.Add(run[j].x, run[j].y, run[j].z, ax, ay, az);
    }
    return { m.minRadiusSquared, m.maxRadiusSquared, m.minAxial, m.maxPerpendicularSquared };
}

#ifdef MORVA_SIMD_X86

// Chains groups of Width points taken through the steps side by side: as
// many independent chains of work per step, each held in registers.
template<int Width, int Chains, int... C>
[[gnu::always_inline]] inline void ApplyStepsToGroups(GlobePoint* const* groups, TileStep const* steps, int stepCount,
    std::integer_sequence<int, C...>)
{
    PointLanes<Width> lanes[Chains] = { LoadPoints<Width>(groups[C])... };
    for (int s = 0; s < stepCount; ++s) {
        TileStep const& step = steps[s];
        if (step.tested)
            (ApplyCutTo(lanes[C], step.q, step.factor), ...);
        else
            ((lanes[C] = ScaledWhere(true, lanes[C], step.factor)), ...);
    }
    (StorePoints(groups[C], lanes[C]), ...);
}

template<int Width, int Chains>
[[gnu::always_inline]] inline void ApplyStepsToGroups(GlobePoint* const* groups, TileStep const* steps, int stepCount)
{
    ApplyStepsToGroups<Width, Chains>(groups, steps, stepCount, std::make_integer_sequence<int, Chains>());
}

// The points left over at the ends of a tile's runs, gathered into groups of
// their own: every point of a tile takes the same steps, whichever run it
// lies in.
template<int Width, int Chains>
class StrayPoints {
public:
    StrayPoints(TileStep const* steps, int stepCount)
        : steps(steps)
        , stepCount(stepCount)
    {
    }

    [[gnu::always_inline]] void Add(GlobePoint* point)
    {
        homes[count] = point;
        copies[count] = *point;
        if (++count == Chains * Width)
            Flush();
    }

    // Takes the gathered points through the steps and puts them back; a
    // last group is filled up with copies of its last point.
    [[gnu::always_inline]] void Flush()
    {
        if (count == 0)
            return;
        int const groupCount = (count + Width - 1) / Width;
        for (int k = count; k < groupCount * Width; ++k)
            copies[k] = copies[count - 1];
        GlobePoint* groups[Chains];
        for (int g = 0; g < groupCount; ++g)
            groups[g] = copies + g * Width;
        if (groupCount == Chains) {
            ApplyStepsToGroups<Width, Chains>(groups, steps, stepCount);
        } else {
            for (int g = 0; g < groupCount; ++g)
                ApplyStepsToGroups<Width, 1>(groups + g, steps, stepCount);
        }
        for (int k = 0; k < count; ++k)
            *homes[k] = copies[k];
        count = 0;
    }

private:
    TileStep const* steps;
    int stepCount;
    int count = 0;
    GlobePoint* homes[Chains * Width];
    GlobePoint copies[Chains * Width];
};

// The tile's groups of Width points, Chains at a time wherever the tile has
// them (along a run or from one run to the next); the points left over at
// the ends of the runs are gathered into groups of their own.
template<int Width, int Chains>
[[gnu::always_inline]] inline void ApplyStepsToTileLanes(TileSpan const& tile, TileStep const* steps, int stepCount)
{
    GlobePoint* groups[Chains];
    int waiting = 0;
    StrayPoints<Width, Chains> strays(steps, stepCount);
    for (int i = 0; i < tile.rows; ++i) {
        GlobePoint* run = tile.first + i * tile.stride;
        int j = 0;
        for (; j + Width <= tile.width; j += Width) {
            groups[waiting++] = run + j;
            if (waiting == Chains) {
                ApplyStepsToGroups<Width, Chains>(groups, steps, stepCount);
                waiting = 0;
            }
        }
        for (; j < tile.width; ++j)
            strays.Add(run + j);
    }
    for (int c = 0; c < waiting; ++c)
        ApplyStepsToGroups<Width, 1>(groups + c, steps, stepCount);
    strays.Flush();
}

// Width points at a time, two groups at once where a run has them; a run's
// last group is filled up with copies of its last point, which leave every
// extreme as it is.
template<int Width>
[[gnu::always_inline]] inline TileMeasure MeasureTileLanes(TileSpan const& tile, double ax, double ay, double az)
{
    using Double = typename simd::Lanes<Width>::Double;
    using simd::Widen;
    MeasureOf<Double> m = MeasureOf<Double>::Empty();
    for (int i = 0; i < tile.rows; ++i) {
        GlobePoint const* run = tile.first + i * tile.stride;
        int j = 0;
        for (; j + 2 * Width <= tile.width; j += 2 * Width) {
            PointLanes<Width> low;
            PointLanes<Width> high;
            LoadTwoGroups(run + j, low, high);
            m.Add(Widen(low.x), Widen(low.y), Widen(low.z), ax, ay, az);
            m.Add(Widen(high.x), Widen(high.y), Widen(high.z), ax, ay, az);
        }
        for (; j < tile.width; j += Width) {
            GlobePoint filled[Width];
            GlobePoint const* group = run + j;
            if (j + Width > tile.width) {
                for (int k = 0; k < Width; ++k)
                    filled[k] = run[j + k < tile.width ? j + k : tile.width - 1];
                group = filled;
            }
            PointLanes<Width> const p = LoadPoints<Width>(group);
            m.Add(Widen(p.x), Widen(p.y), Widen(p.z), ax, ay, az);
        }
    }
    MeasureOf<double> folded = MeasureOf<double>::Empty();
    for (int k = 0; k < Width; ++k) {
        folded.minRadiusSquared = m.minRadiusSquared[k] < folded.minRadiusSquared ? m.minRadiusSquared[k]
                                                                                  : folded.minRadiusSquared;
        folded.maxRadiusSquared = m.maxRadiusSquared[k] > folded.maxRadiusSquared ? m.maxRadiusSquared[k]
                                                                                  : folded.maxRadiusSquared;
        folded.minAxial = m.minAxial[k] < folded.minAxial ? m.minAxial[k] : folded.minAxial;
        folded.maxPerpendicularSquared = m.maxPerpendicularSquared[k] > folded.maxPerpendicularSquared
            ? m.maxPerpendicularSquared[k]
            : folded.maxPerpendicularSquared;
    }
    return { folded.minRadiusSquared, folded.maxRadiusSquared, folded.minAxial, folded.maxPerpendicularSquared };
}

// Each level's lanes are the doubles of one register; its chains, what the
// culled-cuts benchmark runs fastest with. Every level is the same
// templates: no hand-written intrinsics beyond the lane operations of
// simd/lanes.h.
constexpr int SSE2_CHAINS = 4;
constexpr int AVX2_CHAINS = 4;
constexpr int AVX512_CHAINS = 2;

[[gnu::target("sse2")]] void ApplyStepsToTileSse2(TileSpan const& tile, TileStep const* steps, int stepCount)
{
    ApplyStepsToTileLanes<2, SSE2_CHAINS>(tile, steps, stepCount);
}

[[gnu::target("sse2")]] TileMeasure MeasureTileSse2(TileSpan const& tile, double ax, double ay, double az)
{
    return MeasureTileLanes<2>(tile, ax, ay, az);
}

[[gnu::target("avx2")]] void ApplyStepsToTileAvx2(TileSpan const& tile, TileStep const* steps, int stepCount)
{
    ApplyStepsToTileLanes<4, AVX2_CHAINS>(tile, steps, stepCount);
}

[[gnu::target("avx2")]] TileMeasure MeasureTileAvx2(TileSpan const& tile, double ax, double ay, double az)
{
    return MeasureTileLanes<4>(tile, ax, ay, az);
}

[[gnu::target("avx512f")]] void ApplyStepsToTileAvx512(TileSpan const& tile, TileStep const* steps, int stepCount)
{
    ApplyStepsToTileLanes<8, AVX512_CHAINS>(tile, steps, stepCount);
}

[[gnu::target("avx512f")]] TileMeasure MeasureTileAvx512(TileSpan const& tile, double ax, double ay, double az)
{
    return MeasureTileLanes<8>(tile, ax, ay, az);
}

// Indexed by KernelLevel. The AVX-512 forms pay for the cuts (the culled
// cuts of a batch run some 5 % faster than at AVX2).
TileKernels const LEVELS[KERNEL_LEVEL_COUNT] = {
    { ApplyStepsToTilePortable, MeasureTilePortable },
    { ApplyStepsToTileSse2, MeasureTileSse2 },
    { ApplyStepsToTileAvx2, MeasureTileAvx2 },
    { ApplyStepsToTileAvx512, MeasureTileAvx512 },
};

#else

TileKernels const LEVELS[KERNEL_LEVEL_COUNT] = {
    { ApplyStepsToTilePortable, MeasureTilePortable },
    { ApplyStepsToTilePortable, MeasureTilePortable },
    { ApplyStepsToTilePortable, MeasureTilePortable },
    { ApplyStepsToTilePortable, MeasureTilePortable },
};

#endif

}

TileKernels const& TileKernelsFor(KernelLevel level)
{
    return LEVELS[static_cast<int>(RunnableLevel(level))];
}
