#include "winapi/resources/accelerator_table.h"

#include "winapi/resources/byte_reader.h"

namespace winapi::resources {

namespace {

constexpr std::size_t ENTRY_SIZE = 8;

}

std::optional<AcceleratorTable> ParseAcceleratorTable(std::span<std::uint8_t const> data)
{
    ByteReader reader(data);
    AcceleratorTable table;
    while (reader.Remaining() >= ENTRY_SIZE) {
        AcceleratorEntry entry;
        entry.flags = reader.ReadU16();
        entry.key = reader.ReadU16();
        entry.command = reader.ReadU16();
        entry.padding = reader.ReadU16();
        table.entries.push_back(entry);
        if (entry.flags & ACCEL_LAST_ENTRY)
            break;
    }
    if (table.entries.empty())
        return std::nullopt;
    return table;
}

}
