#include "winapi/resources/resource_id.h"

#include <cstdint>

namespace winapi::resources {

namespace {

char16_t AsciiUpper(char16_t unit)
{
    return unit >= u'a' && unit <= u'z' ? static_cast<char16_t>(unit - u'a' + u'A') : unit;
}

std::optional<std::uint16_t> ParseDecimalNumber(char const* digits)
{
    if (*digits == '\0')
        return std::nullopt;
    std::uint32_t value = 0;
    for (char const* p = digits; *p; ++p) {
        if (*p < '0' || *p > '9')
            return std::nullopt;
        value = value * 10 + static_cast<std::uint32_t>(*p - '0');
        if (value > 0xFFFF)
            return std::nullopt;
    }
    return static_cast<std::uint16_t>(value);
}

}

std::optional<ResourceId> ResourceId::FromWin32Name(char const* name)
{
    auto const address = reinterpret_cast<std::uintptr_t>(name);
    if (address == 0)
        return std::nullopt;
    if (address <= 0xFFFF)
        return Number(static_cast<std::uint16_t>(address));
    if (name[0] == '#') {
        if (auto const number = ParseDecimalNumber(name + 1))
            return Number(*number);
    }
    std::u16string text;
    for (char const* p = name; *p; ++p)
        text.push_back(static_cast<char16_t>(static_cast<unsigned char>(*p)));
    return Name(std::move(text));
}

bool ResourceId::operator==(ResourceId const& other) const
{
    if (IsNumber() || other.IsNumber())
        return number == other.number;
    if (name.size() != other.name.size())
        return false;
    for (std::size_t i = 0; i < name.size(); ++i) {
        if (AsciiUpper(name[i]) != AsciiUpper(other.name[i]))
            return false;
    }
    return true;
}

}
