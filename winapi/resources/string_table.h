#pragma once

#include "winapi/resources/resource_file.h"

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>

namespace winapi::resources {

// Strings are stored in blocks of sixteen: string `id` is entry id % 16 of
// the block named id / 16 + 1. Each entry is a length word and that many
// UTF-16 units, without a terminator; an absent string has length 0.
inline constexpr std::uint32_t STRINGS_PER_BLOCK = 16;

using StringBlock = std::array<std::u16string, STRINGS_PER_BLOCK>;

std::uint16_t StringBlockName(std::uint32_t stringId);

// Nothing when an entry's length runs past the block's data.
std::optional<StringBlock> ParseStringBlock(std::span<std::uint8_t const> data);

// The string with this id, or nothing when its block is missing or broken.
// An empty string in a block that exists is found, and empty.
std::optional<std::u16string> FindString(ResourceFile const& file, std::uint32_t stringId);

// The string as 8-bit characters: units up to 0xFF (ASCII and Latin-1) as
// they are, "?" for anything else.
std::string ToAnsi(std::u16string const& text);

}
