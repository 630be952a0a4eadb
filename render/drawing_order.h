// Which cell filled each pixel last, for drawings that visit their cells out
// of the order they are drawn in. A cell's place in the drawing order is a
// number that grows with that order; a pixel takes a cell's colour only when
// no cell later in the order has filled it. The numbers of one drawing carry
// its generation in their high bits, above those of any earlier drawing, so
// a new drawing starts without clearing the pixels' numbers, and clears them
// only when the generations run out.
#pragma once

#include "raster/polygon_scan.h"
#include "raster/span_fill.h"

#include <algorithm>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <vector>

class DrawingOrder {
public:
    // Starts a drawing over `clip` (not empty) whose places run from 1 to
    // `places` (at most 2^32 - 1).
    void Begin(raster::ScanClip clip, std::uint64_t places)
    {
        int const width = clip.right - clip.left;
        int const height = clip.bottom - clip.top;
        int const bits = std::bit_width(places);
        std::uint64_t const generations = std::uint64_t { 1 } << (32 - bits);
        bool const reshaped = width != m_width || height != m_height || bits != m_bits;
        if (reshaped || ++m_generation >= generations) {
            if (reshaped)
                m_numbers.resize(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
            std::fill(m_numbers.begin(), m_numbers.end(), 0);
            m_width = width;
            m_height = height;
            m_bits = bits;
            m_generation = generations > 1 ? 1 : 0;
        }
        m_clip = clip;
        m_stamp = static_cast<std::uint32_t>(m_generation << bits);
    }

    // The number of the cell at `place` (1 ..) in this drawing.
    std::uint32_t NumberOf(std::uint32_t place) const { return m_stamp | place; }

    // Fills the pixels x0 .. x1 of row y (inside the clip) with `pixel`
    // where no cell after the one numbered `number` has filled them.
    void FillSpan(raster::PixelRows rows, int y, int x0, int x1, std::uint32_t number, std::uint32_t pixel)
    {
        std::uint32_t* const pixels = rows.Row(y);
        std::uint32_t* const numbers = m_numbers.data() + static_cast<std::ptrdiff_t>(y - m_clip.top) * m_width;
        for (int x = x0; x < x1; ++x) {
            std::uint32_t& latest = numbers[x - m_clip.left];
            if (latest < number) {
                latest = number;
                pixels[x] = pixel;
            }
        }
    }

    // The same for the one pixel (x, y), without a branch on whether it is
    // taken: taken and passed over alike lie where nothing foretells them.
    void FillPixel(raster::PixelRows rows, int x, int y, std::uint32_t number, std::uint32_t pixel)
    {
        std::uint32_t& latest
            = m_numbers[static_cast<std::size_t>(y - m_clip.top) * m_width + static_cast<std::size_t>(x - m_clip.left)];
        std::uint32_t& shown = rows.Row(y)[x];
        bool const taken = latest < number;
        latest = std::max(latest, number);
        shown = taken ? pixel : shown;
    }

private:
    std::vector<std::uint32_t> m_numbers;
    raster::ScanClip m_clip {};
    int m_width = -1;
    int m_height = -1;
    int m_bits = 0;
    std::uint64_t m_generation = 0;
    std::uint32_t m_stamp = 0;
};
