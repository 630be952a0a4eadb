#pragma once

// The parsed resources written back in the form the resource compiler
// stores them, so that a test can hold a parse against the very bytes it
// came from: every field, text and count a parser returns must be the one
// at its place in the data.

#include "tests/resources/res_builder.h"
#include "winapi/resources/accelerator_table.h"
#include "winapi/resources/dialog_template.h"
#include "winapi/resources/icon_group.h"
#include "winapi/resources/menu_template.h"
#include "winapi/resources/string_table.h"

#include <span>

namespace resource_writers {

using namespace winapi::resources;

inline void WriteMenuItems(Bytes& bytes, std::vector<MenuItem> const& items)
{
    for (auto const& item : items) {
        bytes.U16(item.flags);
        if (!item.IsPopup())
            bytes.U16(item.id);
        bytes.String(item.text);
        if (item.IsPopup())
            WriteMenuItems(bytes, item.items);
    }
}

// The items after the header and its extension.
inline std::vector<std::uint8_t> MenuItemBytes(MenuTemplate const& menu)
{
    Bytes bytes;
    WriteMenuItems(bytes, menu.items);
    return bytes.Data();
}

inline std::vector<std::uint8_t> AcceleratorBytes(AcceleratorTable const& table)
{
    Bytes bytes;
    for (auto const& entry : table.entries)
        bytes.U16(entry.flags).U16(entry.key).U16(entry.command).U16(entry.padding);
    return bytes.Data();
}

inline std::vector<std::uint8_t> StringBlockBytes(StringBlock const& block)
{
    Bytes bytes;
    for (auto const& text : block) {
        bytes.U16(static_cast<std::uint16_t>(text.size()));
        for (char16_t unit : text)
            bytes.U16(unit);
    }
    return bytes.Data();
}

// Each entry's reserved byte is unread, so it is copied from the data.
inline std::vector<std::uint8_t> IconGroupBytes(IconGroup const& group, std::span<std::uint8_t const> data)
{
    Bytes bytes;
    bytes.U16(0).U16(1).U16(static_cast<std::uint16_t>(group.entries.size()));
    for (auto const& entry : group.entries) {
        bytes.U8(entry.width).U8(entry.height).U8(entry.colorCount);
        bytes.U8(bytes.Size() < data.size() ? data[bytes.Size()] : 0);
        bytes.U16(entry.planes).U16(entry.bitCount).U32(entry.bytesInResource).U16(entry.iconId);
    }
    return bytes.Data();
}

// A "sz_Or_Ord" field: nothing, a number or a string.
inline void WriteDialogId(Bytes& bytes, std::optional<ResourceId> const& id)
{
    if (!id)
        bytes.U16(0);
    else if (id->IsNumber())
        bytes.Ordinal(*id->number);
    else
        bytes.String(id->name);
}

// The padding before each control is unread, so it is copied from the
// data the template came from.
inline std::vector<std::uint8_t> DialogBytes(DialogTemplate const& dialog, std::span<std::uint8_t const> data)
{
    auto const u16 = [](std::int16_t value) { return static_cast<std::uint16_t>(value); };
    Bytes bytes;
    bytes.U32(dialog.style).U32(dialog.extendedStyle).U16(static_cast<std::uint16_t>(dialog.items.size()));
    bytes.U16(u16(dialog.x)).U16(u16(dialog.y)).U16(u16(dialog.cx)).U16(u16(dialog.cy));
    WriteDialogId(bytes, dialog.menu);
    WriteDialogId(bytes, dialog.windowClass);
    bytes.String(dialog.caption);
    if (dialog.font)
        bytes.U16(dialog.font->pointSize).String(dialog.font->faceName);
    for (auto const& item : dialog.items) {
        while (bytes.Size() % 4)
            bytes.U8(bytes.Size() < data.size() ? data[bytes.Size()] : 0);
        bytes.U32(item.style).U32(item.extendedStyle);
        bytes.U16(u16(item.x)).U16(u16(item.y)).U16(u16(item.cx)).U16(u16(item.cy)).U16(item.id);
        // An absent class or text reads as an empty name; both are one
        // zero word.
        WriteDialogId(bytes, item.windowClass);
        WriteDialogId(bytes, item.text);
        bytes.U16(static_cast<std::uint16_t>(item.creationData.size())).Append(item.creationData);
    }
    return bytes.Data();
}

}
