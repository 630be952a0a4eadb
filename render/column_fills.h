// The pixel runs the cells of a band of grid columns fill, kept column by
// column in the order they were found and filled, band column after band
// column, once the band is done: a drawing whose cells are visited row by
// row within the band thus fills its pixels in the views' order (column by
// column, each from row 0) with plain stores, however its cells overlap.
#pragma once

#include "raster/span_fill.h"

#include <cstdint>
#include <vector>

class ColumnFills {
public:
    // Starts a band of `columns` columns with nothing to fill.
    void Begin(int columns)
    {
        if (static_cast<int>(m_columns.size()) < columns)
            m_columns.resize(columns);
        for (int column = 0; column < columns; ++column)
            m_columns[column].clear();
        m_count = columns;
    }

    // `count` (> 0) pixels from `first` take `pixel` in the band's column
    // `column`, after what that column filled before.
    void Add(int column, std::uint32_t* first, int count, std::uint32_t pixel)
    {
        m_columns[column].push_back(Run { first, static_cast<std::uint32_t>(count), pixel });
    }

    // Fills the band's runs, column by column.
    void FillAll() const
    {
        for (int column = 0; column < m_count; ++column) {
            for (Run const& run : m_columns[column]) {
                if (run.count == 1)
                    *run.first = run.pixel;
                else
                    raster::FillSpan(run.first, 0, static_cast<int>(run.count), run.pixel);
            }
        }
    }

private:
    struct Run {
        std::uint32_t* first;
        std::uint32_t count;
        std::uint32_t pixel;
    };

    std::vector<std::vector<Run>> m_columns;
    int m_count = 0;
};
