#include "winapi/resources/menu_template.h"

#include "winapi/resources/byte_reader.h"

namespace winapi::resources {

namespace {

// Reads the items of one level, up to and including the one with the end
// flag. False on any malformation.
bool ReadLevel(ByteReader& reader, std::vector<MenuItem>& items, int depth)
{
    if (depth > MENU_MAX_DEPTH)
        return false;
    for (;;) {
        MenuItem item;
        item.flags = reader.ReadU16();
        if (!item.IsPopup())
            item.id = reader.ReadU16();
        item.text = reader.ReadString();
        if (!reader.Ok())
            return false;
        if (item.IsPopup() && !ReadLevel(reader, item.items, depth + 1))
            return false;
        bool const last = (item.flags & MENU_ITEM_END) != 0;
        items.push_back(std::move(item));
        if (last)
            return true;
    }
}

}

std::optional<MenuTemplate> ParseMenuTemplate(std::span<std::uint8_t const> data)
{
    ByteReader reader(data);
    std::uint16_t const version = reader.ReadU16();
    std::uint16_t const headerSize = reader.ReadU16();
    if (!reader.Ok() || version != 0)
        return std::nullopt;
    reader.Skip(headerSize);

    MenuTemplate menu;
    if (reader.AtEnd())
        return menu; // an empty menu bar
    if (!ReadLevel(reader, menu.items, 1))
        return std::nullopt;
    return menu;
}

MenuItemText SplitMenuItemText(std::u16string const& text)
{
    auto const tab = text.find(u'\t');
    if (tab == std::u16string::npos)
        return { text, {} };
    return { text.substr(0, tab), text.substr(tab + 1) };
}

}
