// The rendering at GRID_N = 1000 against bare loops that fill the same cells
// into plain memory with precomputed colours, in the same run. After the
// runs, the ratios of each drawing to its baseline are printed.
#include "bare_fill.h"
#include "bench_support.h"
#include "globe/planet.h"
#include "globe/random.h"
#include "render/elevation_color.h"
#include "render/float_conversion.h"
#include "render/hemisphere_projection.h"
#include "render/hemisphere_views.h"
#include "render/map_layout.h"
#include "render/map_view.h"
#include "render/memory_canvas.h"
#include "render/pixel_target.h"
#include "render/point_cache.h"

#include <benchmark/benchmark.h>
#include <windows.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
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
        for (int done = 1; done < 3001; done += 50)
            grown->Dissect(50);
        g_globe = grown;
        return grown;
    }();
    return *globe;
}

void BM_Map_DrawMap(benchmark::State& state)
{
    GrownPlanet();
    MemoryCanvas surface(MAP_WIDTH, MAP_HEIGHT);
    // Each drawing meets a globe it has not seen: colours and radii count.
    for (auto _ : state) {
        ForgetPointCaches();
        DrawMap(surface.DC(), 0, 0, MAP_WIDTH, MAP_HEIGHT);
    }
    state.SetItemsProcessed(state.iterations() * GRID_N * GRID_N);
}

// The same map cell by cell through GDI, as on a DC whose pixels cannot be
// reached.
void BM_Map_DrawMapThroughGdi(benchmark::State& state)
{
    GrownPlanet();
    MemoryCanvas surface(MAP_WIDTH, MAP_HEIGHT);
    AllowDirectPixels(false);
    for (auto _ : state)
        DrawMap(surface.DC(), 0, 0, MAP_WIDTH, MAP_HEIGHT);
    AllowDirectPixels(true);
    state.SetItemsProcessed(state.iterations() * GRID_N * GRID_N);
}

void BM_Map_BareFillBaseline(benchmark::State& state)
{
    Globe const& globe = GrownPlanet();
    std::vector<std::uint32_t> const colors = bench::MapColors(globe);
    std::vector<std::uint32_t> pixels(std::size_t { MAP_WIDTH } * MAP_HEIGHT);
    for (auto _ : state) {
        bench::FillMap(colors, pixels.data(), MAP_WIDTH, MAP_HEIGHT);
        benchmark::DoNotOptimize(pixels.data());
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * GRID_N * GRID_N);
}

// The GDI calls DrawMap makes per cell, with the colours precomputed: how
// much of a DrawMap is GDI's.
void BM_Map_GdiCallsOnly(benchmark::State& state)
{
    Globe const& globe = GrownPlanet();
    std::vector<COLORREF> colors;
    for (int column = 0; column < GRID_N; ++column) {
        for (int row = 0; row < GRID_N; ++row)
            colors.push_back(bench::CellColor(globe, row, column));
    }
    MemoryCanvas surface(MAP_WIDTH, MAP_HEIGHT);
    for (auto _ : state) {
        COLORREF const* color = colors.data();
        ForEachMapCell(GRID_N, INV_GRID_N, 0, 0, MAP_WIDTH, MAP_HEIGHT, [&](MapCell const& cell) {
            HBRUSH const brush = CreateSolidBrush(*color++);
            HGDIOBJ const previousBrush = SelectObject(surface.DC(), brush);
            HPEN const pen = CreatePen(PS_NULL, 0, 0);
            HGDIOBJ const previousPen = SelectObject(surface.DC(), pen);
            POINT const corners[4] = { { cell.left, cell.top }, { cell.right, cell.top }, { cell.right, cell.bottom },
                { cell.left, cell.bottom } };
            Polygon(surface.DC(), corners, 4);
            SelectObject(surface.DC(), previousBrush);
            DeleteObject(brush);
            SelectObject(surface.DC(), previousPen);
            DeleteObject(pen);
        });
    }
    state.SetItemsProcessed(state.iterations() * GRID_N * GRID_N);
}

void BM_Lower_DrawLowerHemisphere(benchmark::State& state)
{
    GrownPlanet();
    MemoryCanvas surface(VIEW_WIDTH, VIEW_HEIGHT);
    for (auto _ : state) {
        ForgetPointCaches();
        DrawLowerHemisphere(surface.DC(), 0, 0, VIEW_WIDTH, VIEW_HEIGHT);
    }
    state.SetItemsProcessed(state.iterations() * GRID_N * GRID_N);
}

// The second view of a paint: the points are already worked out.
void BM_Lower_DrawLowerHemisphereCached(benchmark::State& state)
{
    GrownPlanet();
    MemoryCanvas surface(VIEW_WIDTH, VIEW_HEIGHT);
    for (auto _ : state)
        DrawLowerHemisphere(surface.DC(), 0, 0, VIEW_WIDTH, VIEW_HEIGHT);
    state.SetItemsProcessed(state.iterations() * GRID_N * GRID_N);
}

void BM_Lower_BareFillBaseline(benchmark::State& state)
{
    std::vector<bench::Quad> const quads = bench::ViewQuads(GrownPlanet(), VIEW_WIDTH, VIEW_HEIGHT, true);
    std::vector<std::uint32_t> pixels(std::size_t { VIEW_WIDTH } * VIEW_HEIGHT);
    for (auto _ : state) {
        for (bench::Quad const& quad : quads)
            bench::FillQuad(quad, pixels.data(), VIEW_WIDTH, VIEW_HEIGHT);
        benchmark::DoNotOptimize(pixels.data());
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * GRID_N * GRID_N);
}

}

BENCHMARK(BM_Map_DrawMap)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_Map_BareFillBaseline)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_Map_GdiCallsOnly)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_Map_DrawMapThroughGdi)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_Lower_DrawLowerHemisphere)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_Lower_DrawLowerHemisphereCached)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_Lower_BareFillBaseline)->Unit(benchmark::kMillisecond)->MinTime(2.0);

int main(int argc, char** argv)
{
    return bench::RunBenchmarks(argc, argv,
        {
            { "DrawMap 1920x1080 / bare fill", "BM_Map_DrawMap", "BM_Map_BareFillBaseline" },
            { "GDI calls alone of DrawMap / bare fill", "BM_Map_GdiCallsOnly", "BM_Map_BareFillBaseline" },
            { "DrawMap cell by cell through GDI / bare fill", "BM_Map_DrawMapThroughGdi", "BM_Map_BareFillBaseline" },
            { "DrawLowerHemisphere 960x520 / bare fill", "BM_Lower_DrawLowerHemisphere", "BM_Lower_BareFillBaseline" },
            { "DrawLowerHemisphere 960x520, points cached / bare fill", "BM_Lower_DrawLowerHemisphereCached",
                "BM_Lower_BareFillBaseline" },
        });
}
