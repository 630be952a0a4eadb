#include "winapi/resources/resource_file.h"

#include "winapi/resources/byte_reader.h"

namespace winapi::resources {

namespace {

constexpr std::uint16_t ORDINAL_MARK = 0xFFFF;
// DataSize, HeaderSize, two one-word-plus-ordinal ids, DataVersion,
// MemoryFlags, LanguageId, Version, Characteristics.
constexpr std::uint32_t SMALLEST_HEADER = 32;

std::optional<ResourceId> ReadId(ByteReader& reader)
{
    std::uint16_t const first = reader.ReadU16();
    if (!reader.Ok())
        return std::nullopt;
    if (first == ORDINAL_MARK) {
        std::uint16_t const number = reader.ReadU16();
        if (!reader.Ok())
            return std::nullopt;
        return ResourceId::Number(number);
    }
    std::u16string name;
    for (char16_t unit = first; unit != 0; unit = reader.ReadU16()) {
        if (!reader.Ok())
            return std::nullopt;
        name.push_back(unit);
    }
    if (!reader.Ok())
        return std::nullopt;
    return ResourceId::Name(std::move(name));
}

bool IsOpeningRecord(ResourceEntry const& entry)
{
    return entry.data.empty() && entry.type == ResourceId::Number(0) && entry.name == ResourceId::Number(0);
}

}

std::optional<ResourceFile> ResourceFile::Parse(std::span<std::uint8_t const> bytes)
{
    ResourceFile file;
    std::size_t offset = 0;
    while (offset < bytes.size()) {
        ByteReader sizes(bytes.subspan(offset));
        std::uint32_t const dataSize = sizes.ReadU32();
        std::uint32_t const headerSize = sizes.ReadU32();
        if (!sizes.Ok() || headerSize < SMALLEST_HEADER || headerSize > sizes.Remaining() + 8)
            return std::nullopt;
        std::size_t const dataOffset = offset + headerSize;
        if (dataSize > bytes.size() - dataOffset)
            return std::nullopt;

        // Everything from the type on must lie inside the header.
        ByteReader header(bytes.subspan(offset, headerSize));
        header.Skip(8);
        auto type = ReadId(header);
        auto name = ReadId(header);
        header.AlignTo(4);
        ResourceEntry entry;
        entry.dataVersion = header.ReadU32();
        entry.memoryFlags = header.ReadU16();
        entry.language = header.ReadU16();
        entry.version = header.ReadU32();
        entry.characteristics = header.ReadU32();
        if (!type || !name || !header.Ok())
            return std::nullopt;
        entry.type = std::move(*type);
        entry.name = std::move(*name);
        entry.data = bytes.subspan(dataOffset, dataSize);
        if (!IsOpeningRecord(entry))
            file.m_entries.push_back(std::move(entry));

        // Records start on DWORD boundaries; the last one's padding may be
        // missing.
        std::size_t const end = dataOffset + dataSize;
        std::size_t const next = (end + 3) & ~std::size_t { 3 };
        offset = next < bytes.size() ? next : bytes.size();
    }
    return file;
}

ResourceEntry const* ResourceFile::Find(ResourceId const& type, ResourceId const& name) const
{
    ResourceEntry const* first = nullptr;
    ResourceEntry const* neutral = nullptr;
    for (auto const& entry : m_entries) {
        if (!(entry.type == type) || !(entry.name == name))
            continue;
        if (entry.language == LANGUAGE_ENGLISH_US)
            return &entry;
        if (entry.language == 0 && !neutral)
            neutral = &entry;
        if (!first)
            first = &entry;
    }
    return neutral ? neutral : first;
}

}
