// One timer batch of the program at GRID_N = 1000, headless, in a window
// whose client area is 1920 x 1050 on a 1920 x 1080 display: WM_TIMER runs
// Dissect(50) and RenderMapBuffer and invalidates the window; the next
// messages repaint it (both hemisphere views, the map, the status line) and
// show the surface in the Qt window, at each kernel level this machine
// runs. Against the fixed baseline of the batch's 50 passes cut pass by pass
// (the library's Dissect gets faster, this does not), in the same run; the
// ratios are printed at the end.
#include "app/app_state.h"
#include "app/program_constants.h"
#include "app/program_start.h"
#include "globe/planet.h"
#include "globe/random.h"
#include "render/map_buffer.h"
#include "winapi/user/headless.h"
#include "bare_fill.h"
#include "bench_support.h"
#include "plain_dissect.h"
#include "render/program_drawing.h"

#include <benchmark/benchmark.h>
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

namespace {

constexpr int CLIENT_WIDTH = 1920;
constexpr int CLIENT_HEIGHT = 1050;

// The program as WinMain leaves it before its message loop, with the
// window resized and painted.
HWND StartedProgram()
{
    static HWND const window = [] {
        winapi::headless::Start(1920, 1080);
        HINSTANCE const instance = winapi::headless::ProgramInstance();
        RegisterProgram(instance);
        g_random = RandomGenerator(1802, 9373, false);
        CreateStartingGlobe();
        OpenMainWindow(instance, SW_SHOWNORMAL, 1);
        HWND const hwnd = winapi::headless::TopLevelWindows().front();
        winapi::headless::ResizeClient(hwnd, CLIENT_WIDTH, CLIENT_HEIGHT);
        winapi::headless::DispatchPending();
        return hwnd;
    }();
    return window;
}

// The program's planet halfway to the pass limit, grown from fixed seeds:
// every measurement starts from it, whatever ran before.
std::vector<GlobePoint> const& HalfwayGrid()
{
    static std::vector<GlobePoint> const grid = [] {
        g_random = RandomGenerator(1802, 9373, false);
        auto const planet = std::make_unique<Globe>();
        planet->Dissect(1);
        planet->Dissect(DISSECT_LIMIT / 2);
        return std::vector<GlobePoint>(planet->Points(), planet->Points() + GRID_POINT_COUNT);
    }();
    return grid;
}

// Gives the program a fresh copy of the halfway planet.
void StartHalfway()
{
    static std::unique_ptr<Globe> planet;
    planet = std::make_unique<Globe>(HalfwayGrid().data());
    g_globe = planet.get();
}

// The batches from the halfway planet to the pass limit, which the program
// never grows past.
constexpr int BATCHES_TO_LIMIT = (DISSECT_LIMIT - DISSECT_LIMIT / 2) / DISSECT_BATCH;

// Runs `batch` once per iteration over the planets the program's second
// half meets: from the halfway planet, and from it again, untimed, each time
// the batches reach the limit.
template<typename Batch>
void MeasureBatches(benchmark::State& state, Batch batch)
{
    StartHalfway();
    int batches = 0;
    for (auto _ : state) {
        if (batches == BATCHES_TO_LIMIT) {
            state.PauseTiming();
            StartHalfway();
            batches = 0;
            state.ResumeTiming();
        }
        batch();
        ++batches;
    }
}

// One batch with its repaint, every family of kernels at `level`, over the
// planets from halfway to the pass limit.
void TimerBatchAtLevel(benchmark::State& state, KernelLevel level)
{
    HWND const hwnd = StartedProgram();
    ChooseKernelLevel(level);
    RECT client;
    GetClientRect(hwnd, &client);
    if (client.right != CLIENT_WIDTH || client.bottom != CLIENT_HEIGHT) {
        state.SkipWithError("the window did not get its size");
        return;
    }
    MeasureBatches(state, [&] {
        g_dissectCount = 1; // below the limit, so that every message runs a batch
        SendMessageA(hwnd, WM_TIMER, DISSECT_TIMER, 0);
        winapi::headless::DispatchPending();
    });
    ChooseKernelLevel(FastestKernelLevel());
}

// The fixed baseline: the batch's 50 passes cut one by one over a copy of
// the program's grid, then its statistics. Unlike the library's Dissect, it
// does not get faster.
void BM_Batch_PassByPassDissectBaseline(benchmark::State& state)
{
    StartedProgram();
    bench::PlainPlanet planet(HalfwayGrid().data());
    for (auto _ : state)
        bench::DissectPassByPass(planet, DISSECT_BATCH);
}

void BM_Part_Dissect(benchmark::State& state)
{
    StartedProgram();
    MeasureBatches(state, [] { g_globe->Dissect(DISSECT_BATCH); });
}

void BM_Part_RenderMapBuffer(benchmark::State& state)
{
    HWND const hwnd = StartedProgram();
    StartHalfway();
    for (auto _ : state)
        RenderMapBuffer(hwnd);
}

void BM_Part_RepaintBothViews(benchmark::State& state)
{
    HWND const hwnd = StartedProgram();
    StartHalfway();
    for (auto _ : state) {
        InvalidateRect(hwnd, nullptr, FALSE);
        winapi::headless::DispatchPending();
    }
}

// What a batch draws: the map render and the repaint with both views, each
// meeting the globe afresh, as after a Dissect.
void BM_Part_RenderAndRepaint(benchmark::State& state)
{
    HWND const hwnd = StartedProgram();
    StartHalfway();
    for (auto _ : state) {
        ForgetPointCaches();
        RenderMapBuffer(hwnd);
        InvalidateRect(hwnd, nullptr, FALSE);
        winapi::headless::DispatchPending();
    }
}

// Its baseline: the map's bare fill at the display's size and the two
// views' at theirs in this client area (955 x 510 each).
void BM_Part_BareFills(benchmark::State& state)
{
    StartedProgram();
    StartHalfway();
    Globe const& globe = *g_globe;
    constexpr int MAP_WIDTH = 1920;
    constexpr int MAP_HEIGHT = 1080;
    constexpr int VIEW_WIDTH = 955;
    constexpr int VIEW_HEIGHT = 510;
    std::vector<std::uint32_t> const colors = bench::MapColors(globe);
    std::vector<bench::Quad> const lower = bench::ViewQuads(globe, VIEW_WIDTH, VIEW_HEIGHT, true);
    std::vector<bench::Quad> const upper = bench::ViewQuads(globe, VIEW_WIDTH, VIEW_HEIGHT, false);
    std::vector<std::uint32_t> map(std::size_t { MAP_WIDTH } * MAP_HEIGHT);
    std::vector<std::uint32_t> views(std::size_t { VIEW_WIDTH } * VIEW_HEIGHT);
    for (auto _ : state) {
        bench::FillMap(colors, map.data(), MAP_WIDTH, MAP_HEIGHT);
        for (bench::Quad const& quad : lower)
            bench::FillQuad(quad, views.data(), VIEW_WIDTH, VIEW_HEIGHT);
        for (bench::Quad const& quad : upper)
            bench::FillQuad(quad, views.data(), VIEW_WIDTH, VIEW_HEIGHT);
        benchmark::DoNotOptimize(map.data());
        benchmark::DoNotOptimize(views.data());
        benchmark::ClobberMemory();
    }
}

}

BENCHMARK(BM_Batch_PassByPassDissectBaseline)->Unit(benchmark::kMillisecond)->MinTime(3.0);
BENCHMARK(BM_Part_Dissect)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_Part_RenderMapBuffer)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_Part_RepaintBothViews)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_Part_RenderAndRepaint)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_Part_BareFills)->Unit(benchmark::kMillisecond)->MinTime(2.0);

int main(int argc, char** argv)
{
    std::vector<bench::Ratio> ratios {
        { "Dissect(50) / pass by pass", "BM_Part_Dissect", "BM_Batch_PassByPassDissectBaseline" },
        { "RenderMapBuffer and repaint / map bare fill + both views' bare fills", "BM_Part_RenderAndRepaint",
            "BM_Part_BareFills" },
    };
    for (KernelLevel level : LevelsThisMachineRuns()) {
        std::string const name = KernelLevelName(level);
        std::string const batch = "BM_Batch_TimerBatchWithRepaint_" + name;
        benchmark::RegisterBenchmark(batch.c_str(), TimerBatchAtLevel, level)
            ->Unit(benchmark::kMillisecond)
            ->MinTime(3.0);
        ratios.push_back({ "timer batch with repaint, " + name + " / pass-by-pass Dissect(50)", batch,
            "BM_Batch_PassByPassDissectBaseline" });
    }
    return bench::RunBenchmarks(argc, argv, std::move(ratios));
}
