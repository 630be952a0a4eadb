#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace winapi::resources {

// Item flags of a menu template (the MF_* values).
inline constexpr std::uint16_t MENU_ITEM_GRAYED = 0x0001;
inline constexpr std::uint16_t MENU_ITEM_DISABLED = 0x0002;
inline constexpr std::uint16_t MENU_ITEM_CHECKED = 0x0008;
inline constexpr std::uint16_t MENU_ITEM_POPUP = 0x0010;
inline constexpr std::uint16_t MENU_ITEM_MENUBARBREAK = 0x0020;
inline constexpr std::uint16_t MENU_ITEM_MENUBREAK = 0x0040;
inline constexpr std::uint16_t MENU_ITEM_END = 0x0080;
inline constexpr std::uint16_t MENU_ITEM_OWNERDRAW = 0x0100;
inline constexpr std::uint16_t MENU_ITEM_HELP = 0x4000;

// One item of a menu: a command item with its identifier, or a pop-up with
// its own items. A separator is a command item with flags, id and text all
// zero or empty.
struct MenuItem {
    std::uint16_t flags { 0 }; // as stored, MENU_ITEM_END included
    std::uint16_t id { 0 };    // 0 for a pop-up, which has no identifier
    // As written in the script: "&" marks the mnemonic ("&&" is a literal
    // ampersand) and a tab separates the key caption, as in "&Render\tCtrl-R".
    std::u16string text;
    std::vector<MenuItem> items; // a pop-up's items

    bool IsPopup() const { return (flags & MENU_ITEM_POPUP) != 0; }
    bool IsSeparator() const { return !IsPopup() && id == 0 && text.empty(); }
};

// A standard menu template (version 0): a four-byte header, then the items
// of the menu bar, each pop-up followed by its own items; the last item of
// every level carries MENU_ITEM_END.
struct MenuTemplate {
    std::vector<MenuItem> items;
};

// A template that ends right after its header is an empty menu bar.
// Nothing when the header is not a standard one, a level lacks its end
// item, an item or text runs past the data, or pop-ups nest deeper than
// MENU_MAX_DEPTH. Bytes after the menu bar's last item are ignored.
inline constexpr int MENU_MAX_DEPTH = 16;
std::optional<MenuTemplate> ParseMenuTemplate(std::span<std::uint8_t const> data);

// An item text split at its first tab: the label with its mnemonic
// ampersands, and the key caption shown at the right.
struct MenuItemText {
    std::u16string label;
    std::u16string keyCaption;
};
MenuItemText SplitMenuItemText(std::u16string const& text);

}
