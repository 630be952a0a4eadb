// Dissect(50) at GRID_N = 1000: the library's point-major sweep against the
// straightforward loop that sweeps the whole grid once per pass.
#include "globe/cut.h"
#include "globe/globe.h"
#include "globe/random.h"

#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

namespace {

constexpr int BATCH = 50;

// The baseline: draw a cut, sweep every point, repeat.
void DissectPassMajor(GlobePoint* points, int passes)
{
    for (int p = 0; p < passes; ++p) {
        Cut const cut = DrawCut();
        ApplyCutsPassMajor(points, GRID_N * GRID_N, &cut, 1);
    }
}

void BM_DissectBatch_PassMajorBaseline(benchmark::State& state)
{
    auto globe = std::make_unique<Globe>();
    std::vector<GlobePoint> grid(globe->Points(), globe->Points() + GRID_N * GRID_N);
    g_random = RandomGenerator(1802, 9373, false);
    for (auto _ : state) {
        DissectPassMajor(grid.data(), BATCH);
        globe->UpdateStatistics();
        benchmark::DoNotOptimize(grid.data());
    }
    state.SetItemsProcessed(state.iterations() * BATCH * GRID_N * GRID_N);
}

void BM_DissectBatch_Library(benchmark::State& state)
{
    auto globe = std::make_unique<Globe>();
    g_random = RandomGenerator(1802, 9373, false);
    for (auto _ : state) {
        globe->Dissect(BATCH);
        benchmark::DoNotOptimize(globe->Points());
    }
    state.SetItemsProcessed(state.iterations() * BATCH * GRID_N * GRID_N);
}

}

BENCHMARK(BM_DissectBatch_PassMajorBaseline)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_DissectBatch_Library)->Unit(benchmark::kMillisecond)->MinTime(2.0);

BENCHMARK_MAIN();
