#include "winapi/resources/string_table.h"

#include "winapi/resources/byte_reader.h"

namespace winapi::resources {

std::uint16_t StringBlockName(std::uint32_t stringId)
{
    return static_cast<std::uint16_t>((stringId & 0xFFFF) / STRINGS_PER_BLOCK + 1);
}

std::optional<StringBlock> ParseStringBlock(std::span<std::uint8_t const> data)
{
    ByteReader reader(data);
    StringBlock block;
    for (auto& text : block) {
        std::uint16_t const length = reader.ReadU16();
        for (std::uint16_t i = 0; i < length && reader.Ok(); ++i)
            text.push_back(static_cast<char16_t>(reader.ReadU16()));
        if (!reader.Ok())
            return std::nullopt;
    }
    return block;
}

std::optional<std::u16string> FindString(ResourceFile const& file, std::uint32_t stringId)
{
    auto const* entry = file.Find(TypeId(ResourceType::String), ResourceId::Number(StringBlockName(stringId)));
    if (!entry)
        return std::nullopt;
    auto block = ParseStringBlock(entry->data);
    if (!block)
        return std::nullopt;
    return std::move((*block)[stringId % STRINGS_PER_BLOCK]);
}

std::string ToAnsi(std::u16string const& text)
{
    std::string ansi;
    ansi.reserve(text.size());
    for (char16_t const unit : text)
        ansi.push_back(unit <= 0xFF ? static_cast<char>(static_cast<unsigned char>(unit)) : '?');
    return ansi;
}

}
