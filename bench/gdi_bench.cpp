// The per-cell GDI work of the map at GRID_N = 1000 into 1920x1080 (a brush
// and a null pen created, selected, deselected and deleted, and a
// four-vertex polygon per cell) against a bare loop that fills the same
// rectangles with the same precomputed colours, in the same run. A third
// case draws small arbitrary quadrilaterals, like the hemisphere views'
// cells, through Polygon alone. A fourth runs the map's sequence on the
// smallest model of a handle-checked GDI, the floor under any implementation.
// After the runs the ratios are printed.
#include "bench_support.h"
#include "winapi/gdi/surface.h"
#include "minimal_gdi_model.h"
#include "render/memory_canvas.h"

#include <benchmark/benchmark.h>
#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <random>
#include <vector>

namespace {

constexpr int Cells = 1000;
constexpr int Width = 1920;
constexpr int Height = 1080;

struct Cell {
    RECT rect;
    COLORREF color;
};

// The map's cells in drawing order (column by column), with edges computed
// from each index so that neighbours share them, and varied colours.
std::vector<Cell> const& MapCells()
{
    static std::vector<Cell> const cells = [] {
        std::vector<Cell> made;
        made.reserve(std::size_t { Cells } * Cells);
        std::mt19937 random(42);
        for (int column = 0; column < Cells; ++column) {
            for (int row = 0; row < Cells; ++row) {
                RECT const rect { column * Width / Cells, row * Height / Cells, (column + 1) * Width / Cells,
                    (row + 1) * Height / Cells };
                made.push_back({ rect, static_cast<COLORREF>(random() & 0xFFFFFF) });
            }
        }
        return made;
    }();
    return cells;
}

void BM_MapCells_GdiSequence(benchmark::State& state)
{
    std::vector<Cell> const& cells = MapCells();
    MemoryCanvas canvas(Width, Height);
    for (auto _ : state) {
        for (Cell const& cell : cells) {
            HBRUSH const brush = CreateSolidBrush(cell.color);
            HGDIOBJ const oldBrush = SelectObject(canvas.DC(), brush);
            HPEN const pen = CreatePen(PS_NULL, 0, 0);
            HGDIOBJ const oldPen = SelectObject(canvas.DC(), pen);
            POINT const corners[4] { { cell.rect.left, cell.rect.top }, { cell.rect.right, cell.rect.top },
                { cell.rect.right, cell.rect.bottom }, { cell.rect.left, cell.rect.bottom } };
            Polygon(canvas.DC(), corners, 4);
            SelectObject(canvas.DC(), oldBrush);
            DeleteObject(brush);
            SelectObject(canvas.DC(), oldPen);
            DeleteObject(pen);
        }
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * Cells * Cells);
}

void BM_MapCells_BareFill(benchmark::State& state)
{
    std::vector<Cell> const& cells = MapCells();
    std::vector<std::uint32_t> colors;
    for (Cell const& cell : cells)
        colors.push_back(winapi::PixelFromColor(cell.color));
    std::vector<std::uint32_t> pixels(std::size_t { Width } * Height);
    for (auto _ : state) {
        std::uint32_t const* color = colors.data();
        for (Cell const& cell : cells) {
            std::uint32_t const value = *color++;
            for (LONG y = cell.rect.top; y < cell.rect.bottom; ++y)
                std::fill(&pixels[std::size_t(y) * Width + cell.rect.left],
                    &pixels[std::size_t(y) * Width + cell.rect.right], value);
        }
        benchmark::DoNotOptimize(pixels.data());
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * Cells * Cells);
}

// The same sequence on the smallest model of a handle-checked GDI: the floor
// under what any implementation of these calls can reach.
void BM_MapCells_MinimalModel(benchmark::State& state)
{
    std::vector<Cell> const& cells = MapCells();
    std::vector<std::uint32_t> pixels(std::size_t { Width } * Height);
    minimal_gdi::Model gdi(pixels.data(), Width, Height);
    for (auto _ : state) {
        for (Cell const& cell : cells) {
            minimal_gdi::Handle const brush = gdi.CreateSolidBrush(winapi::PixelFromColor(cell.color));
            minimal_gdi::Handle const oldBrush = gdi.SelectObject(brush);
            minimal_gdi::Handle const pen = gdi.NullPen();
            minimal_gdi::Handle const oldPen = gdi.SelectObject(pen);
            gdi.FillRectangle(cell.rect.left, cell.rect.top, cell.rect.right, cell.rect.bottom);
            gdi.SelectObject(oldBrush);
            gdi.DeleteObject(brush);
            gdi.SelectObject(oldPen);
            gdi.DeleteObject(pen);
        }
        benchmark::DoNotOptimize(pixels.data());
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * Cells * Cells);
}

// Quadrilaterals of one or two pixels, randomly sheared, as a disc of
// cells seen from above gives them.
void BM_SmallQuads_Polygon(benchmark::State& state)
{
    std::mt19937 random(3);
    std::uniform_int_distribution<int> jitter(0, 2);
    std::vector<POINT> corners;
    for (int i = 0; i < 500000; ++i) {
        int const x = int(random() % 950), y = int(random() % 510);
        corners.insert(corners.end(), { { x, y }, { x + jitter(random), y + 1 + jitter(random) },
                                          { x + 2 + jitter(random), y + 2 }, { x + 1 + jitter(random), y } });
    }
    MemoryCanvas canvas(960, 520);
    SelectObject(canvas.DC(), GetStockObject(NULL_PEN));
    SelectObject(canvas.DC(), GetStockObject(GRAY_BRUSH));
    for (auto _ : state) {
        for (std::size_t i = 0; i < corners.size(); i += 4)
            Polygon(canvas.DC(), &corners[i], 4);
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * std::int64_t(corners.size() / 4));
}

} // namespace

BENCHMARK(BM_MapCells_GdiSequence)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_MapCells_BareFill)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_MapCells_MinimalModel)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_SmallQuads_Polygon)->Unit(benchmark::kMillisecond)->MinTime(2.0);

int main(int argc, char** argv)
{
    return bench::RunBenchmarks(argc, argv,
        {
            { "per-cell GDI sequence / bare fill", "BM_MapCells_GdiSequence", "BM_MapCells_BareFill" },
            { "same sequence on the minimal model / bare fill", "BM_MapCells_MinimalModel", "BM_MapCells_BareFill" },
        });
}
