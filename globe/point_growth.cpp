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

// The cone around the directions of `count` points: about the middle
// one's, wide enough for every one, with room for the rounding.
DirectionCone ConeOf(GlobePoint const* points, int count)
{
    GlobePoint const& middle = points[count / 2];
    double const length = PointRadius(middle);
    DirectionCone cone { middle.x / length, middle.y / length, middle.z / length, 0.0 };
    double nearest = 1.0;
    for (int i = 0; i < count; ++i) {
        GlobePoint const& p = points[i];
        double const r = PointRadius(p);
        nearest = std::min(nearest, ((cone.x * p.x + cone.y * p.y) + cone.z * p.z) / r);
    }
    cone.angle = std::acos(std::max(nearest, -1.0)) + 1e-6;
    return cone;
}

class BlockGrower {
public:
    BlockGrower(GlobePoint* points, int columns, std::vector<Cut> const& cuts, std::vector<CutCap> const& caps)
        : points(points)
        , columns(columns)
        , cuts(cuts)
        , caps(caps)
    {
        meeting.reserve(cuts.size());
    }

    // Gathers the block into contiguous storage, takes it through the cuts
    // whose caps meet its cone of directions, puts it back.
    void Grow(Block const& block)
    {
        for (int r = 0; r < block.rows; ++r)
            std::copy_n(Row(block, r), block.columns, gathered + r * block.columns);
        DirectionCone const cone = ConeOf(gathered, block.rows * block.columns);
        double const coneCos = std::cos(cone.angle);
        double const coneSin = std::sin(cone.angle);
        meeting.clear();
        for (std::size_t c = 0; c < cuts.size(); ++c) {
            if (CapMeetsCone(caps[c], cone, coneCos, coneSin))
                meeting.push_back(cuts[c]);
        }
        ApplyCutsCulled(gathered, block.rows, block.columns, meeting.data(), static_cast<int>(meeting.size()));
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
    std::vector<CutCap> const& caps;
    std::vector<Cut> meeting;
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

    // Each cut's cap, on the radii its turn may find: no point lies farther
    // out than the farthest start, raised by each cut that raises, and no
    // direction has turned by more than the rounding of one scaling (under
    // 6e-8) for each cut before.
    std::vector<CutCap> caps;
    caps.reserve(cuts.size());
    double radiusBound = 0.0;
    std::size_t const count = static_cast<std::size_t>(rows) * static_cast<std::size_t>(columns);
    for (std::size_t i = 0; i < count; ++i)
        radiusBound = std::max(radiusBound, PointRadius(points[i]));
    radiusBound *= 1.0 + 1e-6;
    for (std::size_t c = 0; c < cuts.size(); ++c) {
        caps.push_back(CapOfCut(cuts[c], radiusBound, 1e-6 + static_cast<double>(c) * 1.2e-7));
        radiusBound = RadiusBoundAfter(cuts[c], radiusBound);
    }

    // Every allocation is made here, before any thread starts, so a lack of
    // memory is thrown on this thread.
    int const wanted = static_cast<int>(std::min<long long>(std::max(threads, 1), blockCount));
    std::vector<std::unique_ptr<BlockGrower>> growers;
    for (int t = 0; t < wanted; ++t)
        growers.push_back(std::make_unique<BlockGrower>(points, columns, cuts, caps));

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
