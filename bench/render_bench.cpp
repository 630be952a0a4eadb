// The rendering at GRID_N = 1000 against bare loops that fill the same cells
// into plain memory with precomputed colours, in the same run. After the
// runs, the ratios of each drawing to its baseline are printed.
#include "app/program_constants.h"
#include "bare_fill.h"
#include "bench_support.h"
#include "globe/globe.h"
#include "globe/random.h"
#include "simd/kernel_level.h"
#include "render/drawing_context.h"
#include "render/globe_views.h"
#include "render/map_layout.h"
#include "render/memory_canvas.h"
#include "render/pixel_target.h"
#include "render/point_cache.h"

#include <benchmark/benchmark.h>
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

namespace {

constexpr int MAP_WIDTH = 1920;
constexpr int MAP_HEIGHT = 1080;
constexpr int VIEW_WIDTH = 960;
constexpr int VIEW_HEIGHT = 520;

// The planet as the programs leave it: 3001 passes from fixed seeds.
Globe const& GrownPlanet()
{
    static Globe* const globe = [] {
        g_random = RandomGenerator(1802, 9373, false);
        auto* grown = new Globe;
        grown->Dissect(1);
        for (int done = 1; done <= DISSECT_LIMIT; done += DISSECT_BATCH)
            grown->Dissect(DISSECT_BATCH);
        return grown;
    }();
    return *globe;
}

using Drawing = void (*)(DrawingContext&, Globe const&, HDC, int, int, int, int);

// A drawing of the grown planet at `level` over a whole width x height
// canvas, again and again. Unless `cached`, each drawing meets a globe it
// has not seen: colours and radii count.
void MeasureDrawing(
    benchmark::State& state, Drawing draw, KernelLevel level, int width, int height, bool cached)
{
    Globe const& globe = GrownPlanet();
    DrawingContext context(level);
    MemoryCanvas canvas(width, height);
    for (auto _ : state) {
        if (!cached)
            context.ForgetPoints();
        draw(context, globe, canvas.DC(), 0, 0, width, height);
    }
    state.SetItemsProcessed(state.iterations() * GRID_N * GRID_N);
}

// A baseline: fill(pixels) into plain memory of width x height, again and
// again.
template <typename Fill>
void MeasureBareFill(benchmark::State& state, int width, int height, Fill fill)
{
    std::vector<std::uint32_t> pixels(std::size_t(width) * std::size_t(height));
    for (auto _ : state) {
        fill(pixels.data());
        benchmark::DoNotOptimize(pixels.data());
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * GRID_N * GRID_N);
}

void BM_Map_DrawMap(benchmark::State& state)
{
    MeasureDrawing(state, DrawGlobeMap, FastestKernelLevel(), MAP_WIDTH, MAP_HEIGHT, false);
}

// The same map cell by cell through GDI, as on a DC whose pixels cannot be
// reached.
void BM_Map_DrawMapThroughGdi(benchmark::State& state)
{
    AllowDirectPixels(false);
    MeasureDrawing(state, DrawGlobeMap, FastestKernelLevel(), MAP_WIDTH, MAP_HEIGHT, true);
    AllowDirectPixels(true);
}

void BM_Map_BareFillBaseline(benchmark::State& state)
{
    std::vector<std::uint32_t> const colors = bench::MapColors(GrownPlanet());
    MeasureBareFill(state, MAP_WIDTH, MAP_HEIGHT,
        [&](std::uint32_t* pixels) { bench::FillMap(colors, pixels, MAP_WIDTH, MAP_HEIGHT); });
}

// The GDI calls DrawMap makes per cell, with the colours precomputed: how
// much of a DrawMap is GDI's.
void BM_Map_GdiCallsOnly(benchmark::State& state)
{
    std::vector<std::uint32_t> const colors = bench::MapColors(GrownPlanet());
    MemoryCanvas canvas(MAP_WIDTH, MAP_HEIGHT);
    HDC const dc = canvas.DC();
    for (auto _ : state) {
        std::uint32_t const* color = colors.data();
        ForEachMapCell(GRID_N, INV_GRID_N, 0, 0, MAP_WIDTH, MAP_HEIGHT, [&](MapCell const& cell) {
            HBRUSH const brush = CreateSolidBrush(*color++);
            HGDIOBJ const previousBrush = SelectObject(dc, brush);
            HPEN const pen = CreatePen(PS_NULL, 0, 0);
            HGDIOBJ const previousPen = SelectObject(dc, pen);
            POINT const corners[4] = { { cell.left, cell.top }, { cell.right, cell.top }, { cell.right, cell.bottom },
                { cell.left, cell.bottom } };
            Polygon(dc, corners, 4);
            SelectObject(dc, previousBrush);
            DeleteObject(brush);
            SelectObject(dc, previousPen);
            DeleteObject(pen);
        });
    }
    state.SetItemsProcessed(state.iterations() * GRID_N * GRID_N);
}

// The colours of every grid point at `level`, as a new batch needs them.
void BM_Colors_AllPoints(benchmark::State& state, KernelLevel level)
{
    Globe const& globe = GrownPlanet();
    PointCache cache;
    for (auto _ : state) {
        cache.Forget();
        benchmark::DoNotOptimize(cache.Pixels(globe, level));
    }
    state.SetItemsProcessed(state.iterations() * GRID_N * GRID_N);
}

// The view at `level`.
void BM_Lower_DrawLowerHemisphere(benchmark::State& state, KernelLevel level)
{
    MeasureDrawing(state, DrawGlobeLowerHemisphere, level, VIEW_WIDTH, VIEW_HEIGHT, false);
}

// The second view of a paint: the points are already worked out.
void BM_Lower_DrawLowerHemisphereCached(benchmark::State& state)
{
    MeasureDrawing(state, DrawGlobeLowerHemisphere, FastestKernelLevel(), VIEW_WIDTH, VIEW_HEIGHT, true);
}

void BM_Lower_BareFillBaseline(benchmark::State& state)
{
    std::vector<bench::Quad> const quads = bench::ViewQuads(GrownPlanet(), VIEW_WIDTH, VIEW_HEIGHT, true);
    MeasureBareFill(state, VIEW_WIDTH, VIEW_HEIGHT, [&](std::uint32_t* pixels) {
        for (bench::Quad const& quad : quads)
            bench::FillQuad(quad, pixels, VIEW_WIDTH, VIEW_HEIGHT);
    });
}

}

BENCHMARK(BM_Map_DrawMap)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_Map_BareFillBaseline)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_Map_GdiCallsOnly)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_Map_DrawMapThroughGdi)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_Lower_DrawLowerHemisphereCached)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_Lower_BareFillBaseline)->Unit(benchmark::kMillisecond)->MinTime(2.0);

int main(int argc, char** argv)
{
    std::vector<bench::Ratio> ratios {
        { "DrawMap 1920x1080 / bare fill", "BM_Map_DrawMap", "BM_Map_BareFillBaseline" },
        { "GDI calls alone of DrawMap / bare fill", "BM_Map_GdiCallsOnly", "BM_Map_BareFillBaseline" },
        { "DrawMap cell by cell through GDI / bare fill", "BM_Map_DrawMapThroughGdi", "BM_Map_BareFillBaseline" },
        { "DrawLowerHemisphere 960x520, points cached / bare fill", "BM_Lower_DrawLowerHemisphereCached",
            "BM_Lower_BareFillBaseline" },
    };
    // The colours and the view at every level the machine runs; the colours
    // against their portable form, the plain rule point by point.
    std::string const portableColors = std::string("BM_Colors_AllPoints_") + KernelLevelName(KernelLevel::Portable);
    for (KernelLevel level : KERNEL_LEVELS) {
        if (!MachineRuns(level))
            continue;
        std::string const name = KernelLevelName(level);
        std::string const colors = "BM_Colors_AllPoints_" + name;
        std::string const view = "BM_Lower_DrawLowerHemisphere_" + name;
        benchmark::RegisterBenchmark(colors.c_str(), BM_Colors_AllPoints, level)
            ->Unit(benchmark::kMillisecond)
            ->MinTime(2.0);
        benchmark::RegisterBenchmark(view.c_str(), BM_Lower_DrawLowerHemisphere, level)
            ->Unit(benchmark::kMillisecond)
            ->MinTime(2.0);
        ratios.push_back({ "DrawLowerHemisphere 960x520 at " + name + " / bare fill", view, "BM_Lower_BareFillBaseline" });
        if (level != KernelLevel::Portable)
            ratios.push_back({ "colours of all points at " + name + " / at portable", colors, portableColors });
    }
    return bench::RunBenchmarks(argc, argv, ratios);
}
