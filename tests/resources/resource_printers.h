#pragma once

// Readable failure messages for the resource types.

#include "winapi/resources/resource_id.h"

#include <ostream>

namespace winapi::resources {

inline void PrintTo(ResourceId const& id, std::ostream* out)
{
    if (id.IsNumber()) {
        *out << "#" << *id.number;
        return;
    }
    *out << '"';
    for (char16_t unit : id.name)
        *out << (unit < 0x80 ? static_cast<char>(unit) : '?');
    *out << '"';
}

}
