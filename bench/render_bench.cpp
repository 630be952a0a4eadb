// The rendering at GRID_N = 1000 against bare loops that fill the same cells
// into plain memory with precomputed colours, in the same run. After the
// runs, the ratios of each drawing to its baseline are printed.
#include "bench_support.h"
#include "globe/planet.h"
#include "globe/random.h"
#include "render/elevation_color.h"
#include "render/float_conversion.h"
#include "render/hemisphere_projection.h"
#include "render/hemisphere_views.h"
#include "render/map_layout.h"
#include "render/map_view.h"
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

COLORREF CellColor(Globe const& globe, int row, int column)
{
    float x, y, z;
    globe.GetPoint(row, column, &x, &y, &z);
    return ElevationColor(RoundToSingle(PointRadius(x, y, z)), RoundToSingle(globe.GetMeanRadius()),
        RoundToSingle(globe.GetMaxRadius()));
}

void BM_Map_DrawMap(benchmark::State& state)
{
    GrownPlanet();
    bench::MemoryCanvas surface(MAP_WIDTH, MAP_HEIGHT);
    // Each drawing meets a globe it has not seen: colours and radii count.
    for (auto _ : state) {
        ForgetPointCaches();
        DrawMap(surface.dc, 0, 0, MAP_WIDTH, MAP_HEIGHT);
    }
    state.SetItemsProcessed(state.iterations() * GRID_N * GRID_N);
}

// The same map cell by cell through GDI, as on a DC whose pixels cannot be
// reached.
void BM_Map_DrawMapThroughGdi(benchmark::State& state)
{
    GrownPlanet();
    bench::MemoryCanvas surface(MAP_WIDTH, MAP_HEIGHT);
    AllowDirectPixels(false);
    for (auto _ : state)
        DrawMap(surface.dc, 0, 0, MAP_WIDTH, MAP_HEIGHT);
    AllowDirectPixels(true);
    state.SetItemsProcessed(state.iterations() * GRID_N * GRID_N);
}

void BM_Map_BareFillBaseline(benchmark::State& state)
{
    Globe const& globe = GrownPlanet();
    std::vector<std::uint32_t> colors;
    for (int column = 0; column < GRID_N; ++column) {
        for (int row = 0; row < GRID_N; ++row)
            colors.push_back(CellColor(globe, row, column));
    }
    std::vector<std::uint32_t> pixels(std::size_t { MAP_WIDTH } * MAP_HEIGHT);
    for (auto _ : state) {
        std::uint32_t const* color = colors.data();
        ForEachMapCell(GRID_N, INV_GRID_N, 0, 0, MAP_WIDTH, MAP_HEIGHT, [&](MapCell const& cell) {
            std::uint32_t const value = *color++;
            for (int y = cell.top; y < cell.bottom; ++y)
                std::fill(&pixels[std::size_t(y) * MAP_WIDTH + cell.left], &pixels[std::size_t(y) * MAP_WIDTH + cell.right], value);
        });
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
            colors.push_back(CellColor(globe, row, column));
    }
    bench::MemoryCanvas surface(MAP_WIDTH, MAP_HEIGHT);
    for (auto _ : state) {
        COLORREF const* color = colors.data();
        ForEachMapCell(GRID_N, INV_GRID_N, 0, 0, MAP_WIDTH, MAP_HEIGHT, [&](MapCell const& cell) {
            HBRUSH const brush = CreateSolidBrush(*color++);
            HGDIOBJ const previousBrush = SelectObject(surface.dc, brush);
            HPEN const pen = CreatePen(PS_NULL, 0, 0);
            HGDIOBJ const previousPen = SelectObject(surface.dc, pen);
            POINT const corners[4] = { { cell.left, cell.top }, { cell.right, cell.top }, { cell.right, cell.bottom },
                { cell.left, cell.bottom } };
            Polygon(surface.dc, corners, 4);
            SelectObject(surface.dc, previousBrush);
            DeleteObject(brush);
            SelectObject(surface.dc, previousPen);
            DeleteObject(pen);
        });
    }
    state.SetItemsProcessed(state.iterations() * GRID_N * GRID_N);
}

struct Quad {
    POINT corners[4];
    std::uint32_t color;
};

// The cells the lower view draws, in its order, already projected.
std::vector<Quad> LowerViewQuads(Globe const& globe)
{
    HemisphereProjection const projection
        = MakeHemisphereProjection(0, 0, VIEW_WIDTH, VIEW_HEIGHT, RoundToSingle(globe.GetMaxRadius()));
    auto project = [&](int row, int column) {
        float x, y, z;
        globe.GetPoint(row, column, &x, &y, &z);
        ProjectedPoint const p = projection.Project(x, y);
        return POINT { p.x, p.y };
    };
    std::vector<Quad> quads;
    for (int k = 0; k < GRID_N; ++k) {
        for (int i = 0; i < GRID_N; ++i) {
            float x, y, z;
            globe.GetPoint(i, k, &x, &y, &z);
            if (!(z < 0))
                continue;
            int const i1 = (i + 1) % GRID_N;
            int const k1 = (k + 1) % GRID_N;
            quads.push_back({ { project(i, k), project(i1, k), project(i1, k1), project(i, k1) }, CellColor(globe, i, k) });
        }
    }
    return quads;
}

// Even-odd scanline fill of one quadrilateral, pixels sampled at integer
// points, clipped to the surface.
void FillQuad(Quad const& quad, std::uint32_t* pixels, int width, int height)
{
    int top = quad.corners[0].y;
    int bottom = top;
    for (POINT const& p : quad.corners) {
        top = std::min<int>(top, p.y);
        bottom = std::max<int>(bottom, p.y);
    }
    top = std::max(top, 0);
    bottom = std::min(bottom, height);
    for (int y = top; y < bottom; ++y) {
        double crossings[4];
        int count = 0;
        for (int e = 0; e < 4; ++e) {
            POINT const a = quad.corners[e];
            POINT const b = quad.corners[(e + 1) % 4];
            if (a.y == b.y || y < std::min(a.y, b.y) || y >= std::max(a.y, b.y))
                continue;
            crossings[count++] = a.x + double(y - a.y) * (b.x - a.x) / (b.y - a.y);
        }
        // At most four: an insertion sort.
        for (int c = 1; c < count; ++c) {
            for (int d = c; d > 0 && crossings[d] < crossings[d - 1]; --d)
                std::swap(crossings[d], crossings[d - 1]);
        }
        for (int c = 0; c + 1 < count; c += 2) {
            int const xa = std::max(0, static_cast<int>(std::ceil(crossings[c])));
            int const xb = std::min(width, static_cast<int>(std::ceil(crossings[c + 1])));
            if (xa < xb)
                std::fill(pixels + std::size_t(y) * width + xa, pixels + std::size_t(y) * width + xb, quad.color);
        }
    }
}

void BM_Lower_DrawLowerHemisphere(benchmark::State& state)
{
    GrownPlanet();
    bench::MemoryCanvas surface(VIEW_WIDTH, VIEW_HEIGHT);
    for (auto _ : state) {
        ForgetPointCaches();
        DrawLowerHemisphere(surface.dc, 0, 0, VIEW_WIDTH, VIEW_HEIGHT);
    }
    state.SetItemsProcessed(state.iterations() * GRID_N * GRID_N);
}

// The second view of a paint: the points are already worked out.
void BM_Lower_DrawLowerHemisphereCached(benchmark::State& state)
{
    GrownPlanet();
    bench::MemoryCanvas surface(VIEW_WIDTH, VIEW_HEIGHT);
    for (auto _ : state)
        DrawLowerHemisphere(surface.dc, 0, 0, VIEW_WIDTH, VIEW_HEIGHT);
    state.SetItemsProcessed(state.iterations() * GRID_N * GRID_N);
}

void BM_Lower_BareFillBaseline(benchmark::State& state)
{
    std::vector<Quad> const quads = LowerViewQuads(GrownPlanet());
    std::vector<std::uint32_t> pixels(std::size_t { VIEW_WIDTH } * VIEW_HEIGHT);
    for (auto _ : state) {
        for (Quad const& quad : quads)
            FillQuad(quad, pixels.data(), VIEW_WIDTH, VIEW_HEIGHT);
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
