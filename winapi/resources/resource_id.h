#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace winapi::resources {

// A resource type or name as a resource file stores it: a 16-bit number, or
// a name. Names are compared without regard to ASCII case, as Windows does.
struct ResourceId {
    std::optional<std::uint16_t> number;
    std::u16string name; // used when `number` is empty

    static ResourceId Number(std::uint16_t value) { return { value, {} }; }
    static ResourceId Name(std::u16string text) { return { std::nullopt, std::move(text) }; }

    bool IsNumber() const { return number.has_value(); }

    // What a Win32 LPCSTR resource name means: a value below 0x10000 made
    // with MAKEINTRESOURCE is a number, "#123" is the number 123, anything
    // else is a name. Null has no meaning and gives nothing.
    static std::optional<ResourceId> FromWin32Name(char const* name);

    bool operator==(ResourceId const& other) const;
};

// The predefined resource types.
enum class ResourceType : std::uint16_t {
    Icon = 3,
    Menu = 4,
    Dialog = 5,
    String = 6,
    Accelerator = 9,
    GroupIcon = 14,
};

inline ResourceId TypeId(ResourceType type)
{
    return ResourceId::Number(static_cast<std::uint16_t>(type));
}

// English (United States).
inline constexpr std::uint16_t LANGUAGE_ENGLISH_US = 0x0409;

}
