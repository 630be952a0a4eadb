#pragma once

#include "winapi/resources/resource_file.h"

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace winapi::resources {

// One entry of an icon group (GRPICONDIRENTRY): what the image is and the
// number of the RT_ICON resource that holds it.
struct IconGroupEntry {
    std::uint8_t width { 0 };      // 0 means 256
    std::uint8_t height { 0 };     // 0 means 256
    std::uint8_t colorCount { 0 }; // 0 for 256 colours or more
    std::uint16_t planes { 0 };
    std::uint16_t bitCount { 0 };
    std::uint32_t bytesInResource { 0 };
    std::uint16_t iconId { 0 };
};

// An RT_GROUP_ICON resource: a six-byte header (reserved 0, type 1, count)
// and count entries of fourteen bytes.
struct IconGroup {
    std::vector<IconGroupEntry> entries;
};

std::optional<IconGroup> ParseIconGroup(std::span<std::uint8_t const> data);

// An icon image decoded to 32-bit pixels, 0xAARRGGBB, top row first. Alpha
// is 0 where the image is transparent and 255 elsewhere, unless a 32-bit
// image brings its own alpha.
struct IconImage {
    int width { 0 };
    int height { 0 };
    int bitCount { 0 }; // of the stored image
    std::vector<std::uint32_t> pixels;

    std::uint32_t Pixel(int x, int y) const { return pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) + static_cast<std::size_t>(x)]; }
};

// Decodes an RT_ICON resource: a BITMAPINFOHEADER whose height counts both
// halves, the colour table, the colour (XOR) bitmap and the 1-bit AND mask,
// rows bottom-up and padded to four bytes. A pixel whose mask bit is set is
// transparent. Uncompressed images of 1, 4, 8, 24 and 32 bits per pixel up
// to 256 x 256 are read; nothing for anything else or for data too short.
std::optional<IconImage> DecodeIconImage(std::span<std::uint8_t const> data);

// The images of an icon group, in the group's order; nothing when the group
// is missing or broken or any of its images is missing or undecodable.
std::optional<std::vector<IconImage>> LoadIconGroup(ResourceFile const& file, ResourceId const& groupName);

}
