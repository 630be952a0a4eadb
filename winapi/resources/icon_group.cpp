#include "winapi/resources/icon_group.h"

#include "winapi/resources/byte_reader.h"

namespace winapi::resources {

namespace {

constexpr std::uint32_t BITMAPINFOHEADER_SIZE = 40;
constexpr std::uint32_t BI_RGB = 0;
constexpr std::int32_t LARGEST_ICON = 256;

std::size_t RowBytes(int width, int bitCount)
{
    auto const bits = static_cast<std::size_t>(width) * static_cast<std::size_t>(bitCount);
    return (bits + 31) / 32 * 4;
}

// The bits of pixel x in a bottom-up row of a palettised bitmap.
unsigned IndexAt(std::uint8_t const* row, int x, int bitCount)
{
    auto const bitOffset = static_cast<std::size_t>(x) * static_cast<std::size_t>(bitCount);
    std::uint8_t const byte = row[bitOffset / 8];
    unsigned const shift = 8 - static_cast<unsigned>(bitCount) - static_cast<unsigned>(bitOffset % 8);
    return (byte >> shift) & ((1u << bitCount) - 1);
}

}

std::optional<IconGroup> ParseIconGroup(std::span<std::uint8_t const> data)
{
    ByteReader reader(data);
    std::uint16_t const reserved = reader.ReadU16();
    std::uint16_t const type = reader.ReadU16();
    std::uint16_t const count = reader.ReadU16();
    if (!reader.Ok() || reserved != 0 || type != 1)
        return std::nullopt;
    IconGroup group;
    for (std::uint16_t i = 0; i < count; ++i) {
        IconGroupEntry entry;
        entry.width = reader.ReadU8();
        entry.height = reader.ReadU8();
        entry.colorCount = reader.ReadU8();
        reader.ReadU8();
        entry.planes = reader.ReadU16();
        entry.bitCount = reader.ReadU16();
        entry.bytesInResource = reader.ReadU32();
        entry.iconId = reader.ReadU16();
        if (!reader.Ok())
            return std::nullopt;
        group.entries.push_back(entry);
    }
    return group;
}

std::optional<IconImage> DecodeIconImage(std::span<std::uint8_t const> data)
{
    ByteReader header(data);
    std::uint32_t const headerSize = header.ReadU32();
    std::int32_t const width = header.ReadI32();
    std::int32_t const doubledHeight = header.ReadI32();
    std::uint16_t const planes = header.ReadU16();
    std::uint16_t const bitCount = header.ReadU16();
    std::uint32_t const compression = header.ReadU32();
    header.Skip(12); // image size, resolution
    std::uint32_t const colorsUsed = header.ReadU32();
    if (!header.Ok() || headerSize < BITMAPINFOHEADER_SIZE || planes != 1 || compression != BI_RGB)
        return std::nullopt;
    if (width <= 0 || width > LARGEST_ICON || doubledHeight <= 0 || doubledHeight > 2 * LARGEST_ICON || doubledHeight % 2)
        return std::nullopt;
    if (bitCount != 1 && bitCount != 4 && bitCount != 8 && bitCount != 24 && bitCount != 32)
        return std::nullopt;

    int const height = doubledHeight / 2;
    bool const palettised = bitCount <= 8;
    if (palettised && colorsUsed > (1u << bitCount))
        return std::nullopt;

    ByteReader reader(data);
    reader.Skip(headerSize);
    // Palettised images index a table of blue, green, red, unused; a
    // true-colour image may still carry a table, which is skipped.
    std::vector<std::uint32_t> palette;
    if (palettised) {
        palette.assign(std::size_t { 1 } << bitCount, 0);
        std::uint32_t const stored = colorsUsed ? colorsUsed : 1u << bitCount;
        for (std::uint32_t i = 0; i < stored; ++i)
            palette[i] = reader.ReadU32() & 0x00FFFFFF;
    } else {
        reader.Skip(std::size_t { colorsUsed } * 4);
    }
    std::size_t const colorRowBytes = RowBytes(width, bitCount);
    std::size_t const maskRowBytes = RowBytes(width, 1);
    auto const colorBits = reader.ReadBytes(colorRowBytes * static_cast<std::size_t>(height));
    auto const maskBits = reader.ReadBytes(maskRowBytes * static_cast<std::size_t>(height));
    if (!reader.Ok())
        return std::nullopt;

    // A 32-bit image with any non-zero alpha brings its own transparency;
    // otherwise the mask decides.
    bool ownAlpha = false;
    if (bitCount == 32) {
        for (std::size_t i = 3; i < colorBits.size(); i += 4)
            ownAlpha = ownAlpha || colorBits[i] != 0;
    }

    IconImage image;
    image.width = width;
    image.height = height;
    image.bitCount = bitCount;
    image.pixels.reserve(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
    for (int y = 0; y < height; ++y) {
        auto const storedRow = static_cast<std::size_t>(height - 1 - y);
        std::uint8_t const* colorRow = colorBits.data() + storedRow * colorRowBytes;
        std::uint8_t const* maskRow = maskBits.data() + storedRow * maskRowBytes;
        for (int x = 0; x < width; ++x) {
            std::uint32_t color = 0;
            std::uint32_t alpha = IndexAt(maskRow, x, 1) ? 0 : 255;
            if (palettised) {
                color = palette[IndexAt(colorRow, x, bitCount)];
            } else {
                std::uint8_t const* p = colorRow + static_cast<std::size_t>(x) * (bitCount / 8u);
                color = static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8
                    | static_cast<std::uint32_t>(p[2]) << 16;
                if (ownAlpha)
                    alpha = p[3];
            }
            image.pixels.push_back(color | alpha << 24);
        }
    }
    return image;
}

std::optional<std::vector<IconImage>> LoadIconGroup(ResourceFile const& file, ResourceId const& groupName)
{
    auto const* groupEntry = file.Find(TypeId(ResourceType::GroupIcon), groupName);
    if (!groupEntry)
        return std::nullopt;
    auto const group = ParseIconGroup(groupEntry->data);
    if (!group || group->entries.empty())
        return std::nullopt;
    std::vector<IconImage> images;
    for (auto const& entry : group->entries) {
        auto const* iconEntry = file.Find(TypeId(ResourceType::Icon), ResourceId::Number(entry.iconId));
        if (!iconEntry)
            return std::nullopt;
        auto image = DecodeIconImage(iconEntry->data);
        if (!image)
            return std::nullopt;
        images.push_back(std::move(*image));
    }
    return images;
}

}
