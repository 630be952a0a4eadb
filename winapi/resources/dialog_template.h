#pragma once

#include "winapi/resources/resource_id.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace winapi::resources {

// The predefined control classes a template names by number.
inline constexpr std::uint16_t CONTROL_CLASS_BUTTON = 0x0080;
inline constexpr std::uint16_t CONTROL_CLASS_EDIT = 0x0081;
inline constexpr std::uint16_t CONTROL_CLASS_STATIC = 0x0082;
inline constexpr std::uint16_t CONTROL_CLASS_LISTBOX = 0x0083;
inline constexpr std::uint16_t CONTROL_CLASS_SCROLLBAR = 0x0084;
inline constexpr std::uint16_t CONTROL_CLASS_COMBOBOX = 0x0085;

// DS_SETFONT: the template carries a font size and face name.
inline constexpr std::uint32_t DIALOG_STYLE_SETFONT = 0x40;

// One control of a dialog template. Positions and sizes are in dialog
// units. The text is a string, or a number naming a resource (the icon of
// an SS_ICON static).
struct DialogItem {
    std::uint32_t style { 0 };
    std::uint32_t extendedStyle { 0 };
    std::int16_t x { 0 };
    std::int16_t y { 0 };
    std::int16_t cx { 0 };
    std::int16_t cy { 0 };
    std::uint16_t id { 0 }; // 0xFFFF for the -1 of IDC_STATIC
    ResourceId windowClass;
    ResourceId text;
    std::vector<std::uint8_t> creationData;
};

struct DialogFont {
    std::uint16_t pointSize { 0 };
    std::u16string faceName;
};

// A standard (not extended) dialog template: DLGTEMPLATE, menu, class,
// caption, the font when DS_SETFONT is set, then the DWORD-aligned
// DLGITEMTEMPLATE of each control.
struct DialogTemplate {
    std::uint32_t style { 0 };
    std::uint32_t extendedStyle { 0 };
    std::int16_t x { 0 };
    std::int16_t y { 0 };
    std::int16_t cx { 0 };
    std::int16_t cy { 0 };
    std::optional<ResourceId> menu;        // none when the template has no menu
    std::optional<ResourceId> windowClass; // none for the default dialog class
    std::u16string caption;
    std::optional<DialogFont> font;
    std::vector<DialogItem> items;
};

// Nothing for an extended template (DIALOGEX) and when any field, string or
// control runs past the data or fewer controls follow than the count says.
std::optional<DialogTemplate> ParseDialogTemplate(std::span<std::uint8_t const> data);

}
