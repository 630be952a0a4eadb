// The culled sweep against the plain loop, on cuts placed where a wrong
// bound would show: through a tile's points, tangent to its cone, at the
// centre, around its largest radius, over the poles, and after earlier cuts
// of the same sweep have moved the tile's radii.
#include "globe/culled_cuts.h"
#include "globe/radius_statistics.h"
#include "globe/tile_bounds.h"
#include "globe/tile_kernels.h"
#include "dissect_test_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <random>
#include <thread>
#include <vector>

namespace {

using namespace dissect_test;

struct Vector {
    double x;
    double y;
    double z;
};

Vector operator*(double s, Vector v) { return { s * v.x, s * v.y, s * v.z }; }
Vector operator+(Vector a, Vector b) { return { a.x + b.x, a.y + b.y, a.z + b.z }; }
double DotOf(Vector a, Vector b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
Vector Unit(Vector v) { return (1.0 / std::sqrt(DotOf(v, v))) * v; }
Vector Of(GlobePoint p) { return { p.x, p.y, p.z }; }

Cut CutAt(Vector q, double factor)
{
    return { { static_cast<float>(q.x), static_cast<float>(q.y), static_cast<float>(q.z) }, factor };
}

// A grown planet, rough enough for neighbouring radii to differ.
std::vector<GlobePoint> const& GrownGrid()
{
    static std::vector<GlobePoint> const grid = [] {
        g_random = RandomGenerator(8080, 9090, false);
        auto globe = std::make_unique<Globe>();
        for (int batch = 0; batch < 40; ++batch)
            globe->Dissect(50);
        return Grid(*globe);
    }();
    return grid;
}

// The grid and the pass-major loop's result, compared bit for bit after the
// culled sweep at every level this machine runs and with tiles of several
// shapes: runs shorter than the widest lanes, one group of them per run
// (paired across runs), and more groups with points left over.
void ExpectCulledEqualsPassMajor(std::vector<GlobePoint> const& start, std::vector<Cut> const& cuts)
{
    auto expected = start;
    ApplyCutsPassMajor(expected.data(), expected.size(), cuts.data(), static_cast<int>(cuts.size()));
    // Single points as tiles only where the grid is small.
    std::vector<TileShape> shapes { DEFAULT_TILE_SHAPE, { 5, 3 }, { 32, 8 }, { 3, 24 }, { 7, 37 } };
    if (GRID_N <= 200)
        shapes.push_back({ 1, 1 });
    for (KernelLevel level : LevelsThisMachineRuns()) {
        for (TileShape shape : shapes) {
            auto culled = start;
            ApplyCutsCulled(culled.data(), GRID_N, GRID_N, cuts.data(), static_cast<int>(cuts.size()), level, shape);
            long const differs = FirstDifference(culled, expected);
            EXPECT_EQ(differs, -1) << "tiles " << shape.rows << "x" << shape.columns << ", "
                                   << KernelLevelName(level);
        }
    }
}

// A tile of the grid with its measured bounds and its points.
struct Tile {
    TileSpan span;
    TileBounds bounds;
    std::vector<GlobePoint> points;
};

Tile MeasuredTile(std::vector<GlobePoint>& grid, int row, int column, int rows, int columns)
{
    Tile tile { { grid.data() + row * GRID_N + column, GRID_N, rows, columns }, {}, {} };
    for (int i = 0; i < rows; ++i) {
        for (int j = 0; j < columns; ++j)
            tile.points.push_back(grid[(row + i) * GRID_N + column + j]);
    }
    Vector const axis = Unit(Of(tile.points[(rows / 2) * columns + columns / 2]));
    tile.bounds = BoundTile(TileKernelsFor(FastestKernelLevel()).measure(tile.span, axis.x, axis.y, axis.z), axis.x,
        axis.y, axis.z, 1);
    return tile;
}

// Cuts placed against one tile's bounds and points.
std::vector<Cut> HandPlacedCuts(Tile const& tile)
{
    std::vector<Cut> cuts;
    TileBounds const& b = tile.bounds;
    Vector const axis { b.axisX, b.axisY, b.axisZ };
    // A unit vector perpendicular to the axis.
    Vector const side = Unit(std::abs(axis.z) < 0.9 ? Vector { -axis.y, axis.x, 0.0 } : Vector { 1.0, 0.0, 0.0 });
    Vector const across = Unit(side + (-DotOf(side, axis)) * axis);
    double const offsets[] = { -1e-3, -1e-6, -1e-7, 0.0, 1e-7, 1e-6, 1e-3 };

    // Planes through the tile's corner points, facing along the axis, along
    // the point itself and tilted across the tile.
    int const last = static_cast<int>(tile.points.size()) - 1;
    for (int k : { 0, tile.span.width - 1, last - (tile.span.width - 1), last }) {
        Vector const p = Of(tile.points[k]);
        for (Vector normal : { axis, Unit(p), Unit(axis + 0.7 * across), Unit(axis + (-3.0) * across) }) {
            for (double offset : offsets)
                cuts.push_back(CutAt(((1.0 + offset) * DotOf(normal, p)) * normal, RAISE_FACTOR));
        }
    }

    // Planes tangent to the cone: their normal at angle theta from the axis,
    // at the distance where the bound's largest or smallest value of
    // q . P / |q| lies.
    double const alpha = std::asin(b.sinHalfAngle);
    for (double theta : { 0.5 * alpha, alpha, 1.5 * alpha, 0.3, 1.0, 1.5 }) {
        Vector const normal = Unit(std::cos(theta) * axis + std::sin(theta) * across);
        double const outer = b.maxRadius * (theta > alpha ? std::cos(theta - alpha) : 1.0);
        double const inner = b.minRadius * std::cos(theta + alpha);
        for (double offset : offsets) {
            cuts.push_back(CutAt((outer * (1.0 + offset)) * normal, SINK_FACTOR));
            cuts.push_back(CutAt((inner * (1.0 + offset)) * normal, RAISE_FACTOR));
        }
    }

    // Just inside and just outside the tile's largest radius, along that
    // point's own direction, and the centre.
    GlobePoint highest = tile.points[0];
    for (GlobePoint const& p : tile.points) {
        if (PointRadius(p) > PointRadius(highest))
            highest = p;
    }
    for (double offset : offsets)
        cuts.push_back(CutAt((1.0 + offset) * Of(highest), RAISE_FACTOR));
    cuts.push_back({ { 0.0f, 0.0f, 0.0f }, RAISE_FACTOR });
    return cuts;
}

// Tiles from the first (pole) rows, the equator, the last rows and the
// column ends of the grid.
std::vector<std::pair<int, int>> SampleTileCorners(int rows, int columns)
{
    int const lastRow = GRID_N - rows;
    int const lastColumn = GRID_N - columns;
    return { { 0, 0 }, { 0, lastColumn }, { 1, columns }, { GRID_N / 2 - rows / 2, 0 },
        { GRID_N / 3, lastColumn / 2 }, { lastRow, 0 }, { lastRow, lastColumn }, { lastRow / 2, lastColumn } };
}

// The reach of every hand-placed cut, checked against every point of its
// tile: a missed tile has no point beyond the plane, a covered one has no
// point short of it.
TEST(TileReach, HandPlacedCutsAreDecidedOnlyWhenEveryPointAgrees)
{
    auto grid = GrownGrid();
    int misses = 0;
    int covers = 0;
    for (auto [row, column] : SampleTileCorners(16 < GRID_N ? 16 : GRID_N, 16 < GRID_N ? 16 : GRID_N)) {
        Tile const tile = MeasuredTile(grid, row, column, 16 < GRID_N ? 16 : GRID_N, 16 < GRID_N ? 16 : GRID_N);
        ASSERT_TRUE(tile.bounds.bounded || GRID_N < 200) << "tile at " << row << ", " << column;
        for (Cut const& cut : HandPlacedCuts(tile)) {
            CutReach const reach = ReachOfCut(MakeCutPlane(cut), tile.bounds);
            for (GlobePoint const& p : tile.points) {
                GlobePoint const d { p.x - cut.q.x, p.y - cut.q.y, p.z - cut.q.z };
                bool const beyond = Dot(cut.q, d) > 0.0;
                ASSERT_FALSE(reach == CutReach::Misses && beyond)
                    << "tile at " << row << ", " << column << ", q " << cut.q.x << " " << cut.q.y << " " << cut.q.z;
                ASSERT_FALSE(reach == CutReach::Covers && !beyond)
                    << "tile at " << row << ", " << column << ", q " << cut.q.x << " " << cut.q.y << " " << cut.q.z;
            }
            misses += reach == CutReach::Misses;
            covers += reach == CutReach::Covers;
        }
    }
    // The cases decide both ways, not only "test every point".
    EXPECT_GT(misses, 0);
    EXPECT_GT(covers, 0);
}

TEST(CulledCuts, HandPlacedCutsMoveTheGridAsThePlainLoopDoes)
{
    auto grid = GrownGrid();
    std::vector<Cut> cuts;
    int const side = 16 < GRID_N ? 16 : GRID_N;
    for (auto [row, column] : SampleTileCorners(side, side)) {
        Tile const tile = MeasuredTile(grid, row, column, side, side);
        auto const placed = HandPlacedCuts(tile);
        // A share of them keeps the run short.
        for (std::size_t k = row % 3; k < placed.size(); k += GRID_N >= 500 ? 8 : 2)
            cuts.push_back(placed[k]);
    }
    ExpectCulledEqualsPassMajor(grid, cuts);
}

// Cuts straight over the poles, where tiles are thin wedges around the
// axis and row 0 is one point repeated: through the pole point, just above
// and below it, and planes crossing the polar rows.
TEST(CulledCuts, CutsOverThePolesMatchThePlainLoop)
{
    std::vector<Cut> cuts;
    auto const& grid = GrownGrid();
    for (double sign : { 1.0, -1.0 }) {
        GlobePoint const pole = sign > 0 ? grid[0] : grid[(GRID_N - 1) * GRID_N];
        double const r = PointRadius(pole);
        for (double height : { 1.0 + 1e-6, 1.0, 1.0 - 1e-7, 1.0 - 1e-6, 0.999, 0.99, 0.9 })
            cuts.push_back(CutAt({ 0.0, 0.0, sign * r * height }, height > 0.995 ? RAISE_FACTOR : SINK_FACTOR));
        cuts.push_back(CutAt({ 30.0, -20.0, sign * r * 0.995 }, RAISE_FACTOR));
        cuts.push_back(CutAt({ r * 0.1, 0.0, sign * r * 0.99 }, SINK_FACTOR));
    }
    auto fresh = std::make_unique<Globe>();
    ExpectCulledEqualsPassMajor(Grid(*fresh), cuts);
    ExpectCulledEqualsPassMajor(grid, cuts);
}

// A tile's radii move with each cut of a sweep: a cut that covers it raises
// them, so a following cut just above the old largest radius reaches the
// raised points. Likewise after a sink, a cut just inside the old radius
// reaches nothing that was lowered.
TEST(CulledCuts, LaterCutsOfASweepSeeTheRadiiEarlierCutsMoved)
{
    auto const& grid = GrownGrid();
    GlobePoint highest = grid[0];
    for (GlobePoint const& p : grid) {
        if (PointRadius(p) > PointRadius(highest))
            highest = p;
    }
    Vector const up = Unit(Of(highest));
    double const r = PointRadius(highest);
    std::vector<Cut> const raised {
        CutAt(10.0 * up, RAISE_FACTOR),           // covers the whole hemisphere around the point
        CutAt((r * 1.002) * up, RAISE_FACTOR),    // beyond the old radius, inside the raised one
        CutAt((r * 1.0055) * up, RAISE_FACTOR),   // inside the radius raised twice
        CutAt((r * 1.00999) * up, SINK_FACTOR),   // just inside three raises
    };
    ExpectCulledEqualsPassMajor(grid, raised);
    std::vector<Cut> const sunk {
        CutAt(10.0 * up, SINK_FACTOR),
        CutAt((r * 0.998) * up, RAISE_FACTOR),
        CutAt((r * 0.995) * up, RAISE_FACTOR),
    };
    ExpectCulledEqualsPassMajor(grid, sunk);
    // Sweeps of many covering raises in a row, one point creeping outwards.
    std::vector<Cut> creeping;
    for (int k = 0; k < (GRID_N >= 500 ? 70 : 150); ++k)
        creeping.push_back(CutAt(k % 2 == 0 ? 5.0 * up : (r * std::pow(RAISE_FACTOR, k / 2) * 1.001) * up,
            RAISE_FACTOR));
    ExpectCulledEqualsPassMajor(grid, creeping);
}

// Random cuts, many of them near the surface, through sweeps of every
// length up to and past the most cuts per tile measure.
std::vector<Cut> RandomCuts(RandomGenerator& chooser, int count)
{
    std::vector<Cut> cuts;
    for (int c = 0; c < count; ++c) {
        Vector const direction = Unit({ chooser.RealInRange(-1, 1), chooser.RealInRange(-1, 1),
            chooser.RealInRange(-1, 1) });
        double const length = c % 2 == 0 ? chooser.RealInRange(0.0, 2100.0) : chooser.RealInRange(1950.0, 2050.0);
        cuts.push_back(CutAt(length * direction, chooser.IntInRange(0, 1) ? RAISE_FACTOR : SINK_FACTOR));
    }
    return cuts;
}

TEST(CulledCuts, RandomCutsMatchThePlainLoop)
{
    RandomGenerator chooser(4242, 2424, false);
    auto grid = GrownGrid();
    int const sweeps = GRID_N >= 500 ? 2 : 6;
    for (int sweep = 0; sweep < sweeps; ++sweep) {
        int const count = chooser.IntInRange(1, 2 * CUTS_PER_TILE_SWEEP + 3);
        std::vector<Cut> const cuts = RandomCuts(chooser, count);
        ExpectCulledEqualsPassMajor(grid, cuts);
        ApplyCutsPassMajor(grid.data(), grid.size(), cuts.data(), count);
    }
}

// Threads cutting grids of their own at once, the kernels chosen as the
// first of them asks: each grid moves as the plain loop moves it.
TEST(CulledCuts, ThreadsOnGridsOfTheirOwnMatchThePlainLoop)
{
    RandomGenerator chooser(5151, 1515, false);
    std::vector<Cut> const cuts = RandomCuts(chooser, CUTS_PER_TILE_SWEEP);
    auto expected = GrownGrid();
    ApplyCutsPassMajor(expected.data(), expected.size(), cuts.data(), CUTS_PER_TILE_SWEEP);
    std::vector<std::vector<GlobePoint>> grids(4, GrownGrid());
    std::vector<std::thread> threads;
    for (auto& grid : grids) {
        threads.emplace_back([&grid, &cuts] {
            ApplyCutsCulled(grid.data(), GRID_N, GRID_N, cuts.data(), CUTS_PER_TILE_SWEEP);
        });
    }
    for (std::thread& thread : threads)
        thread.join();
    for (auto const& grid : grids)
        EXPECT_EQ(FirstDifference(grid, expected), -1);
}

TEST(CulledCuts, EmptyGridsAndNoCutsChangeNothing)
{
    auto grid = GrownGrid();
    auto const before = grid;
    ApplyCutsCulled(grid.data(), GRID_N, GRID_N, nullptr, 0);
    EXPECT_TRUE(SameBits(grid, before));
    Cut const cut { { 1.0f, 2.0f, 3.0f }, RAISE_FACTOR };
    ApplyCutsCulled(grid.data(), 0, GRID_N, &cut, 1);
    ApplyCutsCulled(grid.data(), GRID_N, 0, &cut, 1);
    EXPECT_TRUE(SameBits(grid, before));
}

TEST(RadiusStatistics, EveryLevelEqualsTheLoopInElementOrder)
{
    auto const& grid = GrownGrid();
    LiteralStatistics const literal = StatisticsOf(grid);
    for (KernelLevel level : LevelsThisMachineRuns()) {
        RadiusStatistics const statistics = MeasureRadii(grid.data(), grid.size(), level);
        EXPECT_EQ(statistics.maxRadius, literal.max) << KernelLevelName(level);
        EXPECT_EQ(statistics.sum * GRID_MEAN_FACTOR, literal.mean) << KernelLevelName(level);
        // Keeping the radii changes nothing, and keeps each point's own.
        std::vector<double> radii(grid.size());
        RadiusStatistics const keeping
            = MeasureAndKeepRadii(grid.data(), grid.size(), KeptPerPoint { radii.data(), nullptr, 0 }, level);
        EXPECT_EQ(keeping.maxRadius, statistics.maxRadius) << KernelLevelName(level);
        EXPECT_EQ(keeping.sum, statistics.sum) << KernelLevelName(level);
        for (std::size_t i = 0; i < grid.size(); ++i)
            ASSERT_EQ(radii[i], PointRadius(grid[i])) << i << ", " << KernelLevelName(level);
        // Every remainder after the groups of the widest lanes, the largest
        // radius first, last and in the middle.
        for (std::size_t count = 1; count <= 35; ++count) {
            for (std::size_t top : { std::size_t { 0 }, count / 2, count - 1 }) {
                std::vector<GlobePoint> points(grid.begin(), grid.begin() + count);
                points[top] = { 0.0f, 0.0f, 2500.0f };
                double sum = 0.0;
                for (GlobePoint const& p : points)
                    sum += PointRadius(p);
                RadiusStatistics const statistics = MeasureRadii(points.data(), count, level);
                EXPECT_EQ(statistics.maxRadius, 2500.0) << count << " points, " << KernelLevelName(level);
                EXPECT_EQ(statistics.sum, sum) << count << " points, " << KernelLevelName(level);
            }
        }
    }
}

// The sides each row reaches, at every level, for rows of lengths that
// leave every lane group straddling rows: each row draws its z from one
// mix of below, above, zero and NaN.
TEST(RadiusStatistics, EveryLevelKeepsTheSidesEachRowReaches)
{
    float const nan = std::nanf("");
    std::vector<float> const mixes[]
        = { { -1.0f, 0.0f, nan }, { 2.0f, -0.0f, nan }, { 0.0f, nan }, { -1.0f, 2.0f, 0.0f } };
    std::mt19937 random(5);
    std::size_t const count = 83;
    for (std::size_t rowLength : { 1u, 3u, 7u, 13u }) {
        std::size_t const rows = (count + rowLength - 1) / rowLength;
        std::vector<GlobePoint> points(count);
        std::vector<std::uint8_t> expected(rows, 0);
        for (std::size_t row = 0; row < rows; ++row) {
            std::vector<float> const& mix = mixes[random() % 4];
            for (std::size_t i = row * rowLength; i < std::min(count, (row + 1) * rowLength); ++i) {
                float const z = mix[random() % mix.size()];
                points[i] = { 100.0f, 200.0f, z };
                expected[row] |= (z < 0 ? ROW_REACHES_BELOW : 0) | (z > 0 ? ROW_REACHES_ABOVE : 0);
            }
        }
        for (KernelLevel level : LevelsThisMachineRuns()) {
            std::vector<double> radii(count);
            std::vector<std::uint8_t> sides(rows, 0xff);
            MeasureAndKeepRadii(points.data(), count, KeptPerPoint { radii.data(), sides.data(), rowLength }, level);
            EXPECT_EQ(sides, expected) << "rows of " << rowLength << ", " << KernelLevelName(level);
        }
    }
}

// Every level measures a tile exactly as the portable one does, whatever
// part of a run its lanes fill.
TEST(TileKernels, EveryLevelMeasuresAsThePortableOne)
{
    auto grid = GrownGrid();
    for (int columns : { 1, 3, 8, 16, 21, 37 }) {
        int const width = columns < GRID_N ? columns : GRID_N;
        for (auto [row, column] : SampleTileCorners(3, width)) {
            TileSpan const span { grid.data() + row * GRID_N + column, GRID_N, 3, width };
            Vector const axis = Unit(Of(span.first[GRID_N + width / 2]));
            TileMeasure const portable
                = TileKernelsFor(KernelLevel::Portable).measure(span, axis.x, axis.y, axis.z);
            for (KernelLevel level : LevelsThisMachineRuns()) {
                TileMeasure const measure = TileKernelsFor(level).measure(span, axis.x, axis.y, axis.z);
                EXPECT_EQ(std::memcmp(&measure, &portable, sizeof measure), 0)
                    << "tile at " << row << ", " << column << ", width " << width << ", " << KernelLevelName(level);
            }
        }
    }
}

}

namespace {

// The tightest cone there is: a run of row 0, every point the same pole.
// Planes through that point at many angles, nudged by a few units in the
// last place, land inside the rounding of the plane test itself, where the
// bound must leave them to the test; nudged farther, they are decided.
TEST(TileReach, PlanesThroughThePoleOfRowZeroAreNeverDecidedWrongly)
{
    auto grid = GrownGrid();
    int const width = 16 < GRID_N ? 16 : GRID_N;
    Tile const tile = MeasuredTile(grid, 0, 0, 1, width);
    ASSERT_TRUE(tile.bounds.bounded);
    Vector const pole = Of(tile.points[0]);
    int decided = 0;
    for (int step = 1; step < 400; ++step) {
        double const theta = step * (3.1 / 400);
        for (double phi : { 0.0, 1.0, 2.5 }) {
            Vector const normal { std::sin(theta) * std::cos(phi), std::sin(theta) * std::sin(phi), std::cos(theta) };
            for (double nudge : { -1e-3, -1e-4, -2e-5, -6e-8, -3e-8, -1e-8, 0.0, 1e-8, 3e-8, 6e-8, 2e-5, 1e-4, 1e-3 }) {
                Cut const cut = CutAt(((1.0 + nudge) * DotOf(normal, pole)) * normal, RAISE_FACTOR);
                GlobePoint const d { tile.points[0].x - cut.q.x, tile.points[0].y - cut.q.y,
                    tile.points[0].z - cut.q.z };
                bool const beyond = Dot(cut.q, d) > 0.0;
                CutReach const reach = ReachOfCut(MakeCutPlane(cut), tile.bounds);
                ASSERT_FALSE(reach == CutReach::Misses && beyond) << "theta " << theta << ", nudge " << nudge;
                ASSERT_FALSE(reach == CutReach::Covers && !beyond) << "theta " << theta << ", nudge " << nudge;
                decided += reach != CutReach::Crosses;
            }
        }
    }
    EXPECT_GT(decided, 0);
}

}
