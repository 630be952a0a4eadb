#include "winapi/resources/dialog_template.h"

#include "winapi/resources/byte_reader.h"

namespace winapi::resources {

namespace {

constexpr std::uint16_t ORDINAL_MARK = 0xFFFF;
constexpr std::uint32_t EXTENDED_TEMPLATE_SIGNATURE = 0xFFFF0001;

// A "sz_Or_Ord" field: 0 for nothing, 0xFFFF and a number, or a string.
std::optional<ResourceId> ReadOptionalId(ByteReader& reader)
{
    std::uint16_t const first = reader.ReadU16();
    if (first == 0)
        return std::nullopt;
    if (first == ORDINAL_MARK)
        return ResourceId::Number(reader.ReadU16());
    std::u16string text(1, static_cast<char16_t>(first));
    text += reader.ReadString();
    return ResourceId::Name(std::move(text));
}

ResourceId ReadId(ByteReader& reader)
{
    auto id = ReadOptionalId(reader);
    return id ? std::move(*id) : ResourceId::Name({});
}

bool ReadItem(ByteReader& reader, DialogItem& item)
{
    reader.AlignTo(4);
    item.style = reader.ReadU32();
    item.extendedStyle = reader.ReadU32();
    item.x = reader.ReadI16();
    item.y = reader.ReadI16();
    item.cx = reader.ReadI16();
    item.cy = reader.ReadI16();
    item.id = reader.ReadU16();
    item.windowClass = ReadId(reader);
    item.text = ReadId(reader);
    std::uint16_t const creationDataSize = reader.ReadU16();
    auto const creationData = reader.ReadBytes(creationDataSize);
    item.creationData.assign(creationData.begin(), creationData.end());
    return reader.Ok();
}

}

std::optional<DialogTemplate> ParseDialogTemplate(std::span<std::uint8_t const> data)
{
    ByteReader reader(data);
    DialogTemplate dialog;
    dialog.style = reader.ReadU32();
    if (reader.Ok() && dialog.style == EXTENDED_TEMPLATE_SIGNATURE)
        return std::nullopt;
    dialog.extendedStyle = reader.ReadU32();
    std::uint16_t const itemCount = reader.ReadU16();
    dialog.x = reader.ReadI16();
    dialog.y = reader.ReadI16();
    dialog.cx = reader.ReadI16();
    dialog.cy = reader.ReadI16();
    dialog.menu = ReadOptionalId(reader);
    dialog.windowClass = ReadOptionalId(reader);
    dialog.caption = reader.ReadString();
    if (dialog.style & DIALOG_STYLE_SETFONT) {
        DialogFont font;
        font.pointSize = reader.ReadU16();
        font.faceName = reader.ReadString();
        dialog.font = std::move(font);
    }
    if (!reader.Ok())
        return std::nullopt;

    for (std::uint16_t i = 0; i < itemCount; ++i) {
        DialogItem item;
        if (!ReadItem(reader, item))
            return std::nullopt;
        dialog.items.push_back(std::move(item));
    }
    return dialog;
}

}
