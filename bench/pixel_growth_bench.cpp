// Pixels grown as points of their own, through 3001 passes: the engine (the
// reaching cuts through the culled kernels, on every core) against the plain
// loop over the same directions on one thread, which draws each pass's cut
// and tests every point against it. Then whole runs of morva1000-grower:
// a 16384x8192 heightmap and texture grown per pixel against the same two
// files sampled from the grid.
#include "bench_support.h"
#include "globe/cut.h"
#include "globe/point_growth.h"
#include "globe/random.h"
#include "globe/reaching_cuts.h"
#include "globe/sphere_directions.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

namespace {

constexpr int PASSES = 3001;

std::vector<GlobePoint> Starts(MapWindow const& window)
{
    std::vector<GlobePoint> points(static_cast<std::size_t>(window.width) * static_cast<std::size_t>(window.height));
    EquirectangularStarts(window).Fill(0, window.height, points.data());
    return points;
}

void PlainLoop(benchmark::State& state, MapWindow const& window)
{
    std::vector<GlobePoint> const starts = Starts(window);
    for (auto _ : state) {
        std::vector<GlobePoint> points = starts;
        RandomGenerator generator(1802, 9373, false);
        for (int pass = 0; pass < PASSES; ++pass) {
            Cut const cut = DrawCut(generator);
            for (GlobePoint& point : points)
                point = ApplyCut(point, cut);
        }
        benchmark::DoNotOptimize(points.data());
    }
}

void Engine(benchmark::State& state, MapWindow const& window)
{
    std::vector<GlobePoint> const starts = Starts(window);
    for (auto _ : state) {
        std::vector<GlobePoint> points = starts;
        RandomGenerator generator(1802, 9373, false);
        GrowPoints(points.data(), window.height, window.width, DrawReachingCuts(generator, PASSES), GrowthThreads());
        benchmark::DoNotOptimize(points.data());
    }
    state.counters["threads"] = GrowthThreads();
}

constexpr MapWindow MAP_2048 { 2048, 1024, 0, 0, 2048, 1024 };
// A window over land and sea alike, away from the poles.
constexpr MapWindow WINDOW_1024_OF_16384 { 16384, 8192, 5120, 2560, 1024, 1024 };

void BM_Map2048_PlainLoopBaseline(benchmark::State& state)
{
    PlainLoop(state, MAP_2048);
}

void BM_Map2048_Engine(benchmark::State& state)
{
    Engine(state, MAP_2048);
}

void BM_Window1024Of16384_PlainLoopBaseline(benchmark::State& state)
{
    PlainLoop(state, WINDOW_1024_OF_16384);
}

void BM_Window1024Of16384_Engine(benchmark::State& state)
{
    Engine(state, WINDOW_1024_OF_16384);
}

#ifdef GROWER1000
// One run of the grower, into a scratch folder removed afterwards.
void GrowerRun(benchmark::State& state, std::string const& sampling)
{
    std::filesystem::path const folder = std::filesystem::temp_directory_path() / "morva-pixel-growth-bench";
    std::filesystem::create_directories(folder);
    std::string const command = "cd '" + folder.string() + "' && '" GROWER1000 "' --quiet --seeds 1802,9373 --sampling "
        + sampling + " --heightmap h.png --heightmap-size 16384x8192 --image t.png --view texture --size 16384x8192"
        + " >/dev/null";
    for (auto _ : state) {
        if (std::system(command.c_str()) != 0)
            state.SkipWithError("the grower failed");
    }
    std::filesystem::remove_all(folder);
}

void BM_Files16384_GridSampledBaseline(benchmark::State& state)
{
    GrowerRun(state, "grid");
}

void BM_Files16384_PixelSampled(benchmark::State& state)
{
    GrowerRun(state, "pixel");
}

BENCHMARK(BM_Files16384_GridSampledBaseline)->Unit(benchmark::kMillisecond)->Iterations(1)->UseRealTime();
BENCHMARK(BM_Files16384_PixelSampled)->Unit(benchmark::kMillisecond)->Iterations(1)->UseRealTime();
#endif

}

BENCHMARK(BM_Map2048_PlainLoopBaseline)->Unit(benchmark::kMillisecond)->Iterations(1)->UseRealTime();
BENCHMARK(BM_Map2048_Engine)->Unit(benchmark::kMillisecond)->MinTime(2.0)->UseRealTime();
BENCHMARK(BM_Window1024Of16384_PlainLoopBaseline)->Unit(benchmark::kMillisecond)->Iterations(1)->UseRealTime();
BENCHMARK(BM_Window1024Of16384_Engine)->Unit(benchmark::kMillisecond)->MinTime(2.0)->UseRealTime();

int main(int argc, char** argv)
{
    // The engine runs on several threads: its real time is the measure.
    return bench::RunBenchmarks(argc, argv,
        {
            { "2048x1024 map, engine / plain loop on one thread", "BM_Map2048_Engine", "BM_Map2048_PlainLoopBaseline" },
            { "1024x1024 window of 16384x8192, engine / plain loop on one thread", "BM_Window1024Of16384_Engine",
                "BM_Window1024Of16384_PlainLoopBaseline" },
            { "16384x8192 heightmap and texture, per pixel / from the grid", "BM_Files16384_PixelSampled",
                "BM_Files16384_GridSampledBaseline" },
        });
}
