// Dissection at GRID_N = 1000: the library's Dissect, which culls the tiles
// a cut cannot reach, against the straightforward loop that draws a cut,
// tests every point against it and sweeps again for the next one. Each pair
// starts from the same grid: a fresh one, planets grown 3001 and 20,000
// passes, and the whole growth of 3001 passes from the planet's creation.
// Then each kernel level this machine runs: the culled cuts of one batch
// against the same cuts pass by pass, and the radius statistics against
// the portable level's.
#include "app/program_constants.h"
#include "bench_support.h"
#include "plain_dissect.h"
#include "globe/culled_cuts.h"
#include "globe/cut.h"
#include "globe/globe.h"
#include "globe/radius_statistics.h"
#include "globe/random.h"

#include <benchmark/benchmark.h>

#include <cstring>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace {

using bench::DissectPassByPass;
using bench::PlainPlanet;

// The programs' growth: Dissect(1), then batches of 50.
template<typename Planet, typename DissectFunction>
void Grow(Planet& planet, int passes, DissectFunction&& dissect)
{
    dissect(planet, 1);
    for (int done = 1; done < passes; done += DISSECT_BATCH)
        dissect(planet, passes - done < DISSECT_BATCH ? passes - done : DISSECT_BATCH);
}

void LibraryDissect(Globe& globe, int passes)
{
    globe.Dissect(passes);
}

// A planet grown `passes` passes from fixed seeds, kept for the run.
std::vector<GlobePoint> const& GrownGrid(int passes)
{
    static std::vector<GlobePoint> grown3001;
    static std::vector<GlobePoint> grown20000;
    auto& grid = passes == 3001 ? grown3001 : grown20000;
    if (grid.empty()) {
        RandomGenerator const saved = g_random;
        g_random = RandomGenerator(4711, 815, false);
        auto globe = std::make_unique<Globe>();
        Grow(*globe, passes, LibraryDissect);
        grid.assign(globe->Points(), globe->Points() + GRID_POINT_COUNT);
        g_random = saved;
    }
    return grid;
}

// Dissect(50) on a planet made anew from the grid before every iteration,
// with the same 50 cuts each time.
template<typename Planet, typename DissectFunction>
void BatchOnGrid(benchmark::State& state, std::vector<GlobePoint> const& start, DissectFunction&& dissect)
{
    std::unique_ptr<Planet> planet;
    for (auto _ : state) {
        state.PauseTiming();
        planet.reset();
        planet = std::make_unique<Planet>(start.data());
        g_random = RandomGenerator(1802, 9373, false);
        state.ResumeTiming();
        dissect(*planet, DISSECT_BATCH);
        benchmark::DoNotOptimize(planet.get());
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * DISSECT_BATCH * GRID_POINT_COUNT);
}

std::vector<GlobePoint> const& FreshGrid()
{
    static std::vector<GlobePoint> const fresh = [] {
        auto globe = std::make_unique<Globe>();
        return std::vector<GlobePoint>(globe->Points(), globe->Points() + GRID_POINT_COUNT);
    }();
    return fresh;
}

void BM_Fresh_PassByPassBaseline(benchmark::State& state)
{
    BatchOnGrid<PlainPlanet>(state, FreshGrid(), DissectPassByPass);
}

void BM_Fresh_Dissect(benchmark::State& state)
{
    BatchOnGrid<Globe>(state, FreshGrid(), LibraryDissect);
}

void BM_Grown3001_PassByPassBaseline(benchmark::State& state)
{
    BatchOnGrid<PlainPlanet>(state, GrownGrid(3001), DissectPassByPass);
}

void BM_Grown3001_Dissect(benchmark::State& state)
{
    BatchOnGrid<Globe>(state, GrownGrid(3001), LibraryDissect);
}

void BM_Grown20000_PassByPassBaseline(benchmark::State& state)
{
    BatchOnGrid<PlainPlanet>(state, GrownGrid(20000), DissectPassByPass);
}

void BM_Grown20000_Dissect(benchmark::State& state)
{
    BatchOnGrid<Globe>(state, GrownGrid(20000), LibraryDissect);
}

// Creation and 3001 passes, the way the programs grow a planet.
template<typename Planet, typename DissectFunction>
void WholeGrowth(benchmark::State& state, DissectFunction&& dissect)
{
    for (auto _ : state) {
        g_random = RandomGenerator(1802, 9373, false);
        auto planet = std::make_unique<Planet>();
        Grow(*planet, 3001, dissect);
        benchmark::DoNotOptimize(planet.get());
        benchmark::ClobberMemory();
    }
}

void BM_Growth3001_PassByPassBaseline(benchmark::State& state)
{
    WholeGrowth<PlainPlanet>(state, DissectPassByPass);
}

void BM_Growth3001_Dissect(benchmark::State& state)
{
    WholeGrowth<Globe>(state, LibraryDissect);
}

// The statistics alone, on the grown planet.
void BM_Grown3001_UpdateStatistics(benchmark::State& state)
{
    auto globe = std::make_unique<Globe>(GrownGrid(3001).data());
    for (auto _ : state) {
        globe->UpdateStatistics();
        benchmark::DoNotOptimize(globe->GetMeanRadius());
    }
}

// The cuts of one batch of Dissect(50) on the grown planet, those that may
// reach it, as Dissect draws them.
std::vector<Cut> const& BatchCuts()
{
    static std::vector<Cut> const cuts = [] {
        RandomGenerator const saved = g_random;
        g_random = RandomGenerator(1802, 9373, false);
        std::vector<Cut> drawn;
        double bound = 0.0;
        for (GlobePoint const& p : GrownGrid(3001))
            bound = PointRadius(p) > bound ? PointRadius(p) : bound;
        for (int c = 0; c < DISSECT_BATCH; ++c) {
            Cut const cut = DrawCut();
            if (CutMayReach(cut, bound)) {
                drawn.push_back(cut);
                bound = RadiusBoundAfter(cut, bound);
            }
        }
        g_random = saved;
        return drawn;
    }();
    return cuts;
}

// The batch's cuts on the grown grid, restored before every iteration.
template<typename ApplyFunction>
void CutsOnGrownGrid(benchmark::State& state, ApplyFunction&& apply)
{
    std::vector<GlobePoint> const& start = GrownGrid(3001);
    std::vector<GlobePoint> grid = start;
    std::vector<Cut> const& cuts = BatchCuts();
    for (auto _ : state) {
        state.PauseTiming();
        std::memcpy(grid.data(), start.data(), start.size() * sizeof(GlobePoint));
        state.ResumeTiming();
        apply(grid.data(), cuts.data(), static_cast<int>(cuts.size()));
        benchmark::DoNotOptimize(grid.data());
    }
}

void BM_Grown3001_CutsPassByPassBaseline(benchmark::State& state)
{
    CutsOnGrownGrid(state, [](GlobePoint* points, Cut const* cuts, int count) {
        for (int c = 0; c < count; ++c)
            ApplyCutsPassMajor(points, GRID_POINT_COUNT, cuts + c, 1);
    });
}

void CulledCutsAtLevel(benchmark::State& state, KernelLevel level)
{
    CutsOnGrownGrid(state, [level](GlobePoint* points, Cut const* cuts, int count) {
        ApplyCutsCulled(points, GRID_N, GRID_N, cuts, count, level);
    });
}

void RadiiAtLevel(benchmark::State& state, KernelLevel level)
{
    std::vector<GlobePoint> const& grid = GrownGrid(3001);
    for (auto _ : state)
        benchmark::DoNotOptimize(MeasureRadii(grid.data(), grid.size(), level));
}

}

BENCHMARK(BM_Fresh_PassByPassBaseline)->Unit(benchmark::kMillisecond)->MinTime(1.0);
BENCHMARK(BM_Fresh_Dissect)->Unit(benchmark::kMillisecond)->MinTime(1.0);
BENCHMARK(BM_Grown3001_PassByPassBaseline)->Unit(benchmark::kMillisecond)->MinTime(1.0);
BENCHMARK(BM_Grown3001_Dissect)->Unit(benchmark::kMillisecond)->MinTime(1.0);
BENCHMARK(BM_Grown20000_PassByPassBaseline)->Unit(benchmark::kMillisecond)->MinTime(1.0);
BENCHMARK(BM_Grown20000_Dissect)->Unit(benchmark::kMillisecond)->MinTime(1.0);
BENCHMARK(BM_Growth3001_PassByPassBaseline)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_Growth3001_Dissect)->Unit(benchmark::kMillisecond)->MinTime(1.0);
BENCHMARK(BM_Grown3001_UpdateStatistics)->Unit(benchmark::kMillisecond)->MinTime(0.5);
BENCHMARK(BM_Grown3001_CutsPassByPassBaseline)->Unit(benchmark::kMillisecond)->MinTime(1.0);

int main(int argc, char** argv)
{
    std::vector<bench::Ratio> ratios {
        { "Dissect(50) on a fresh planet / pass by pass", "BM_Fresh_Dissect", "BM_Fresh_PassByPassBaseline" },
        { "Dissect(50) grown 3001 / pass by pass", "BM_Grown3001_Dissect", "BM_Grown3001_PassByPassBaseline" },
        { "Dissect(50) grown 20000 / pass by pass", "BM_Grown20000_Dissect", "BM_Grown20000_PassByPassBaseline" },
        { "growth of 3001 passes / pass by pass", "BM_Growth3001_Dissect", "BM_Growth3001_PassByPassBaseline" },
    };
    for (KernelLevel level : LevelsThisMachineRuns()) {
        std::string const name = KernelLevelName(level);
        std::string const culled = "BM_Grown3001_CulledCuts_" + name;
        benchmark::RegisterBenchmark(culled.c_str(), CulledCutsAtLevel, level)
            ->Unit(benchmark::kMillisecond)
            ->MinTime(1.0);
        ratios.push_back({ "culled cuts of a batch, grown 3001, " + name + " / pass by pass", culled,
            "BM_Grown3001_CutsPassByPassBaseline" });
    }
    for (KernelLevel level : LevelsThisMachineRuns()) {
        std::string const name = KernelLevelName(level);
        std::string const radii = "BM_Grown3001_MeasureRadii_" + name;
        benchmark::RegisterBenchmark(radii.c_str(), RadiiAtLevel, level)->Unit(benchmark::kMillisecond)->MinTime(0.5);
        ratios.push_back({ "radius statistics, grown 3001, " + name + " / portable", radii,
            "BM_Grown3001_MeasureRadii_portable" });
    }
    return bench::RunBenchmarks(argc, argv, std::move(ratios));
}
