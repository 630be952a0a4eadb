#include "globe/point_growth.h"

#include "globe/culled_cuts.h"
#include "globe/cut_cap.h"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <functional>
#include <memory>
#include <system_error>
#include <thread>

namespace {

// A block is four by four tiles: small enough to stay in the processor's
// nearest caches while every cut is taken through it, and square on the
// sphere (as a map's pixels are), so that its cone of directions is narrow.
constexpr int BLOCK_ROWS = 4 * DEFAULT_TILE_SHAPE.rows;
constexpr int BLOCK_COLUMNS = 4 * DEFAULT_TILE_SHAPE.columns;

struct Block {
    int row;
    int column;
    int rows;
    int columns;
};

// The cuts taken through a block between two measures of its radii: enough
// to fill several sweeps of its tiles, few enough that the bound on its
// radii stays close.
constexpr std::size_t CUTS_PER_MEASURE = 4 * CUTS_PER_TILE_SWEEP;

// The cone around the directions of `count` points: about the middle
// one's, wide enough for every one, with room for the rounding and for
// `drift`, the most any direction may turn while the points are grown.
DirectionCone ConeOf(GlobePoint const* points, int count, double drift)
{
    GlobePoint const& middle = points[count / 2];
    double const length = PointRadius(middle);
    double const x = middle.x / length;
    double const y = middle.y / length;
    double const z = middle.z / length;
    double nearest = 1.0;
    for (int i = 0; i < count; ++i) {
        GlobePoint const& p = points[i];
        double const r = PointRadius(p);
        nearest = std::min(nearest, ((x * p.x + y * p.y) + z * p.z) / r);
    }
    return ConeAbout(x, y, z, std::acos(std::max(nearest, -1.0)) + 1e-6 + drift);
}

// A bound on the radii of `count` points as they are now.
double RadiusBoundOf(GlobePoint const* points, int count)
{
    double largest = 0.0;
    for (int i = 0; i < count; ++i) {
        double const x = points[i].x;
        double const y = points[i].y;
        double const z = points[i].z;
        largest = std::max(largest, (x * x + y * y) + z * z);
    }
    return std::sqrt(largest) * (1.0 + 1e-6);
}

class BlockGrower {
public:
    BlockGrower(GlobePoint* points, int columns, std::vector<Cut> const& cuts,
        std::vector<CutDirection> const& directions)
        : points(points)
        , columns(columns)
        , cuts(cuts)
        , directions(directions)
        // Each scaling turns a point's direction by less than 1.2e-7 rad.
        , drift(static_cast<double>(cuts.size()) * 1.2e-7)
    {
        meeting.reserve(CUTS_PER_MEASURE);
        nearest.resize(cuts.size());
    }

    // Gathers the block into contiguous storage, takes it through the cuts
    // that may reach its cone of directions, puts it back. The block's radii
    // are measured again every so many cuts; in between, only the cuts it
    // meets that raise points widen their bound.
    void Grow(Block const& block)
    {
        int const count = block.rows * block.columns;
        for (int r = 0; r < block.rows; ++r)
            std::copy_n(Row(block, r), block.columns, gathered + r * block.columns);
        DirectionCone const cone = ConeOf(gathered, count, drift);
        for (std::size_t c = 0; c < cuts.size(); ++c)
            nearest[c] = NearestCosine(directions[c], cone);
        std::size_t next = 0;
        while (next < cuts.size()) {
            double radiusBound = RadiusBoundOf(gathered, count);
            meeting.clear();
            for (; next < cuts.size() && meeting.size() < CUTS_PER_MEASURE; ++next) {
                if (CutMayReachCone(directions[next], nearest[next], radiusBound)) {
                    meeting.push_back(cuts[next]);
                    radiusBound = RadiusBoundAfter(cuts[next], radiusBound);
                }
            }
            ApplyCutsCulled(gathered, block.rows, block.columns, meeting.data(), static_cast<int>(meeting.size()));
        }
        for (int r = 0; r < block.rows; ++r)
            std::copy_n(gathered + r * block.columns, block.columns, Row(block, r));
    }

private:
    GlobePoint* Row(Block const& block, int r) const
    {
        return points + static_cast<std::size_t>(block.row + r) * static_cast<std::size_t>(columns) + block.column;
    }

    GlobePoint* points;
    int columns;
    std::vector<Cut> const& cuts;
    std::vector<CutDirection> const& directions;
    double drift;
    std::vector<Cut> meeting;
    std::vector<double> nearest; // NearestCosine of each cut, for the block at hand
    GlobePoint gathered[BLOCK_ROWS * BLOCK_COLUMNS];
};

}

int GrowthThreads()
{
    unsigned const processors = std::thread::hardware_concurrency();
    return processors == 0 ? 1 : static_cast<int>(std::min(processors, 256u));
}

void GrowPoints(GlobePoint* points, int rows, int columns, std::vector<Cut> const& cuts, int threads)
{
    if (rows <= 0 || columns <= 0 || cuts.empty())
        return;
    int const bandCount = (rows + BLOCK_ROWS - 1) / BLOCK_ROWS;
    int const blocksPerBand = (columns + BLOCK_COLUMNS - 1) / BLOCK_COLUMNS;
    long long const blockCount = static_cast<long long>(bandCount) * blocksPerBand;
    auto const blockAt = [&](long long index) {
        int const row = static_cast<int>(index / blocksPerBand) * BLOCK_ROWS;
        int const column = static_cast<int>(index % blocksPerBand) * BLOCK_COLUMNS;
        return Block { row, column, std::min(BLOCK_ROWS, rows - row), std::min(BLOCK_COLUMNS, columns - column) };
    };

    std::vector<CutDirection> directions;
    directions.reserve(cuts.size());
    for (Cut const& cut : cuts)
        directions.push_back(DirectionOfCut(cut));

    // Every allocation is made here, before any thread starts, so a lack of
    // memory is thrown on this thread.
    int const wanted = static_cast<int>(std::min<long long>(std::max(threads, 1), blockCount));
    std::vector<std::unique_ptr<BlockGrower>> growers;
    for (int t = 0; t < wanted; ++t)
        growers.push_back(std::make_unique<BlockGrower>(points, columns, cuts, directions));

    std::atomic<long long> next { 0 };
    auto const work = [&](BlockGrower& grower) {
        for (long long index = next++; index < blockCount; index = next++)
            grower.Grow(blockAt(index));
    };
    std::vector<std::thread> started;
    started.reserve(growers.size());
    for (std::size_t t = 1; t < growers.size(); ++t) {
        try {
            started.emplace_back(work, std::ref(*growers[t]));
        } catch (std::system_error const&) {
            break; // the system has no more threads to give: fewer do the work
        }
    }
    work(*growers[0]);
    for (std::thread& thread : started)
        thread.join();
}
