#pragma once

#include "winapi/resources/resource_id.h"

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace winapi::resources {

// One resource of a compiled resource file (.res): its header fields and a
// view of its data inside the file's bytes.
struct ResourceEntry {
    ResourceId type;
    ResourceId name;
    std::uint16_t language { 0 };
    std::uint16_t memoryFlags { 0 };
    std::uint32_t dataVersion { 0 };
    std::uint32_t version { 0 };
    std::uint32_t characteristics { 0 };
    std::span<std::uint8_t const> data;
};

// The resources of a .res file, as the resource compiler wrote them: a
// sequence of DWORD-aligned records, each a header (data size, header size,
// type, name, language, ...) followed by the data. The entries view the
// bytes given to Parse, which must outlive the ResourceFile.
class ResourceFile {
public:
    // Nothing when the bytes are not a well-formed resource file: a record
    // whose header or data would run past the end, a header size too small
    // for its fields, a type or name without its terminator. The empty
    // record that opens every .res file is skipped.
    static std::optional<ResourceFile> Parse(std::span<std::uint8_t const> bytes);

    std::vector<ResourceEntry> const& Entries() const { return m_entries; }

    // The resource of this type and name. Among several languages, English
    // (United States) wins, then the neutral language, then the first one
    // in the file.
    ResourceEntry const* Find(ResourceId const& type, ResourceId const& name) const;

private:
    std::vector<ResourceEntry> m_entries;
};

}
