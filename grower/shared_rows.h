#pragma once

#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <vector>

// Rows of radii made a strip at a time by one maker and read row by row,
// top to bottom, by several readers, each on a thread of its own (one per
// file written from the same radii). The next strip is made while the
// readers read this one; a strip's storage is used again only once every
// reader has left it, so memory stays at two strips whatever the height.
class SharedRows {
public:
    // Fills `out` with rows firstRow to firstRow + rows - 1, `width` radii each.
    using MakeStrip = std::function<void(std::int32_t firstRow, std::int32_t rows, double* out)>;

    SharedRows(std::int32_t width, std::int32_t height, std::int32_t stripRows, int readers);

    // A reader's row y, valid until it asks for a row of a later strip; null
    // once the maker has stopped.
    double const* Row(int reader, std::int32_t y);

    // The reader wants no more rows.
    void Finish(int reader);

    // Makes every strip in order, waiting for the readers as it must; returns
    // early when every reader there was has finished. `made` is told the rows made so
    // far after each strip.
    void Make(MakeStrip const& make, std::function<void(std::int32_t made)> const& made);

    // The maker has failed: every reader waiting, and every later request,
    // gets null.
    void Stop();

private:
    std::int32_t LowestPosition() const;

    std::int32_t width;
    std::int32_t height;
    std::int32_t stripRows;
    std::vector<double> storage[2];
    std::vector<std::int32_t> positions; // the strip each reader is in
    std::int32_t stripsMade = 0;
    bool stopped = false;
    std::mutex mutex;
    std::condition_variable changed;
};
