#include "grower/shared_rows.h"

#include <algorithm>
#include <climits>

namespace {

constexpr std::int32_t FINISHED = INT32_MAX;

}

SharedRows::SharedRows(std::int32_t width, std::int32_t height, std::int32_t stripRows, int readers)
    : width(width)
    , height(height)
    , stripRows(std::max(stripRows, 1))
    , positions(static_cast<std::size_t>(readers), 0)
{
    std::size_t const stripPoints = static_cast<std::size_t>(width) * static_cast<std::size_t>(this->stripRows);
    storage[0].resize(stripPoints);
    storage[1].resize(stripPoints);
}

double const* SharedRows::Row(int reader, std::int32_t y)
{
    std::int32_t const strip = y / stripRows;
    std::unique_lock lock(mutex);
    if (positions[static_cast<std::size_t>(reader)] != strip) {
        positions[static_cast<std::size_t>(reader)] = strip;
        changed.notify_all();
    }
    changed.wait(lock, [&] { return stopped || stripsMade > strip; });
    if (stopped)
        return nullptr;
    std::size_t const offset = static_cast<std::size_t>(y - strip * stripRows) * static_cast<std::size_t>(width);
    return storage[strip % 2].data() + offset;
}

void SharedRows::Finish(int reader)
{
    std::lock_guard lock(mutex);
    positions[static_cast<std::size_t>(reader)] = FINISHED;
    changed.notify_all();
}

void SharedRows::Stop()
{
    std::lock_guard lock(mutex);
    stopped = true;
    changed.notify_all();
}

std::int32_t SharedRows::LowestPosition() const
{
    return positions.empty() ? FINISHED : *std::min_element(positions.begin(), positions.end());
}

void SharedRows::Make(MakeStrip const& make, std::function<void(std::int32_t made)> const& made)
{
    std::int32_t const strips = (height + stripRows - 1) / stripRows;
    for (std::int32_t strip = 0; strip < strips; ++strip) {
        {
            // The storage holds strip - 2 until every reader has moved on.
            std::unique_lock lock(mutex);
            changed.wait(lock, [&] { return stopped || LowestPosition() >= strip - 1; });
            // Without readers the strips are still made, for the maker's own use.
            if (stopped || (!positions.empty() && LowestPosition() == FINISHED))
                return;
        }
        std::int32_t const first = strip * stripRows;
        std::int32_t const rows = std::min(stripRows, height - first);
        make(first, rows, storage[strip % 2].data());
        {
            std::lock_guard lock(mutex);
            stripsMade = strip + 1;
            changed.notify_all();
        }
        made(first + rows);
    }
}
