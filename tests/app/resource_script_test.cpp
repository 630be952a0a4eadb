// The program's resources as windres compiled them from app/morva.rc and
// the program embeds them: every identifier, flag, style, text and image
// format the window and its About box depend on.

#include "app/resource.h"
#include "tests/resources/resource_printers.h"
#include "winapi/resources/module_resources.h"
#include "winapi/resources/string_table.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <utility>

using namespace winapi::resources;

namespace {

ResourceFile const& Resources()
{
    auto const* file = ModuleResources(MainModule());
    EXPECT_NE(file, nullptr) << "the program's resources did not parse";
    static ResourceFile const empty = *ResourceFile::Parse({});
    return file ? *file : empty;
}

std::span<std::uint8_t const> DataOf(ResourceType type, std::uint16_t name)
{
    auto const* entry = Resources().Find(TypeId(type), ResourceId::Number(name));
    EXPECT_NE(entry, nullptr) << "no resource " << name << " of type " << static_cast<int>(type);
    return entry ? entry->data : std::span<std::uint8_t const> {};
}

std::uint16_t Word(std::span<std::uint8_t const> data, std::size_t offset)
{
    return static_cast<std::uint16_t>(data[offset] | data[offset + 1] << 8);
}

std::uint32_t Dword(std::span<std::uint8_t const> data, std::size_t offset)
{
    return Word(data, offset) | static_cast<std::uint32_t>(Word(data, offset + 2)) << 16;
}

}

TEST(ResourceScript, HoldsExactlyTheProgramsResourcesAllInEnglishUS)
{
    std::set<std::pair<int, int>> found;
    for (auto const& entry : Resources().Entries()) {
        ASSERT_TRUE(entry.type.IsNumber());
        ASSERT_TRUE(entry.name.IsNumber());
        EXPECT_EQ(entry.language, 1033) << "type " << *entry.type.number << " name " << *entry.name.number;
        found.insert({ *entry.type.number, *entry.name.number });
    }
    std::set<std::pair<int, int>> const expected {
        { 3, 1 }, { 3, 2 }, { 3, 3 },       // the three icon images
        { 14, 107 }, { 14, 108 },           // the icon groups
        { 4, 109 },                         // the menu
        { 5, 103 },                         // the About box
        { 6, 103 / 16 + 1 }, { 6, 32771 / 16 + 1 }, // the two string blocks
        { 9, 109 },                         // the accelerators
    };
    EXPECT_EQ(found, expected);
    EXPECT_EQ(Resources().Entries().size(), expected.size());
}

TEST(ResourceScript, IdentifiersHaveTheirValues)
{
    EXPECT_EQ(RES_MAIN, 109);
    EXPECT_EQ(RES_ABOUT_DIALOG, 103);
    EXPECT_EQ(STR_TITLE, 103);
    EXPECT_EQ(RES_ICON_LARGE, 107);
    EXPECT_EQ(RES_ICON_SMALL, 108);
    EXPECT_EQ(CMD_ABOUT, 104);
    EXPECT_EQ(CMD_EXIT, 105);
    EXPECT_EQ(CMD_RENDER, 32772);
    EXPECT_EQ(CMD_TOGGLE_AUTO_DRAW, 32773);
    EXPECT_EQ(CMD_TOGGLE_AUTO_DISSECT, 32774);
    EXPECT_EQ(CMD_ONLY_MAP, 32775);
}

TEST(ResourceScript, AcceleratorTableIsSixEntriesOfFourWords)
{
    auto const data = DataOf(ResourceType::Accelerator, RES_MAIN);
    ASSERT_EQ(data.size(), 6u * 8u);
    struct Row {
        std::uint16_t flags, key, command;
    };
    Row const expected[] = {
        { 0x12, '/', CMD_ABOUT },
        { 0x12, '?', CMD_ABOUT },
        { 0x0B, 'D', CMD_TOGGLE_AUTO_DISSECT },
        { 0x0B, 'O', CMD_ONLY_MAP },
        { 0x0B, 'R', CMD_RENDER },
        { 0x8B, 'W', CMD_TOGGLE_AUTO_DRAW },
    };
    for (std::size_t i = 0; i < 6; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(Word(data, 8 * i), expected[i].flags);
        EXPECT_EQ(Word(data, 8 * i + 2), expected[i].key);
        EXPECT_EQ(Word(data, 8 * i + 4), expected[i].command);
        EXPECT_EQ(Word(data, 8 * i + 6), 0);
    }
}

TEST(ResourceScript, MenuHasThreePopupsWithTheirItems)
{
    auto const menu = ParseMenuTemplate(DataOf(ResourceType::Menu, RES_MAIN));
    ASSERT_TRUE(menu);
    ASSERT_EQ(menu->items.size(), 3u);

    struct Item {
        std::u16string text;
        std::uint16_t id;
    };
    std::vector<std::pair<std::u16string, std::vector<Item>>> const expected = {
        { u"&File", { { u"E&xit", CMD_EXIT } } },
        { u"&Globe",
            { { u"&Render\tCtrl-R", CMD_RENDER }, { u"Toggle Auto Draw\tCtrl-W", CMD_TOGGLE_AUTO_DRAW },
                { u"Toggle Auto Dissect\tCtrl-D", CMD_TOGGLE_AUTO_DISSECT }, { u"&Only Map\tCtrl-O", CMD_ONLY_MAP } } },
        { u"&Help", { { u"&About ...", CMD_ABOUT } } },
    };
    for (std::size_t p = 0; p < expected.size(); ++p) {
        auto const& popup = menu->items[p];
        SCOPED_TRACE(p);
        EXPECT_EQ(popup.text, expected[p].first);
        // A pop-up, the last one also closing the bar; never grayed or
        // checked.
        EXPECT_EQ(popup.flags, p + 1 == expected.size() ? MENU_ITEM_POPUP | MENU_ITEM_END : MENU_ITEM_POPUP);
        ASSERT_EQ(popup.items.size(), expected[p].second.size());
        for (std::size_t i = 0; i < popup.items.size(); ++i) {
            auto const& item = popup.items[i];
            SCOPED_TRACE(i);
            EXPECT_EQ(item.text, expected[p].second[i].text);
            EXPECT_EQ(item.id, expected[p].second[i].id);
            EXPECT_EQ(item.flags, i + 1 == popup.items.size() ? MENU_ITEM_END : 0);
            EXPECT_FALSE(item.IsSeparator());
        }
    }
}

TEST(ResourceScript, EachMenuKeyCaptionNamesItsAccelerator)
{
    auto const menu = ParseMenuTemplate(DataOf(ResourceType::Menu, RES_MAIN));
    auto const table = ParseAcceleratorTable(DataOf(ResourceType::Accelerator, RES_MAIN));
    ASSERT_TRUE(menu);
    ASSERT_TRUE(table);
    int captions = 0;
    for (auto const& popup : menu->items) {
        for (auto const& item : popup.items) {
            auto const caption = SplitMenuItemText(item.text).keyCaption;
            if (caption.empty())
                continue;
            ++captions;
            ASSERT_EQ(caption.size(), 6u);
            ASSERT_EQ(caption.substr(0, 5), u"Ctrl-");
            auto const match = std::find_if(table->entries.begin(), table->entries.end(),
                [&](AcceleratorEntry const& entry) { return entry.command == item.id; });
            ASSERT_NE(match, table->entries.end()) << "no accelerator for " << item.id;
            EXPECT_EQ(match->key, caption[5]);
            EXPECT_EQ(match->Modifiers(), ACCEL_VIRTKEY | ACCEL_NOINVERT | ACCEL_CONTROL);
        }
    }
    EXPECT_EQ(captions, 4);
}

TEST(ResourceScript, AboutDialogIsAStandardTemplate)
{
    auto const data = DataOf(ResourceType::Dialog, RES_ABOUT_DIALOG);
    ASSERT_GE(data.size(), 18u);
    // DLGTEMPLATE, not the extended form that starts 1, 0xFFFF.
    EXPECT_EQ(Dword(data, 0), 0x00C800C0u);
    EXPECT_EQ(Dword(data, 4), 0u);
    EXPECT_EQ(Word(data, 8), 4);
    EXPECT_EQ(Word(data, 10), 22);
    EXPECT_EQ(Word(data, 12), 17);
    EXPECT_EQ(Word(data, 14), 230);
    EXPECT_EQ(Word(data, 16), 75);

    auto const dialog = ParseDialogTemplate(data);
    ASSERT_TRUE(dialog);
    EXPECT_FALSE(dialog->menu);
    EXPECT_FALSE(dialog->windowClass);
    EXPECT_EQ(dialog->caption, u"About");
    ASSERT_TRUE(dialog->font);
    EXPECT_EQ(dialog->font->pointSize, 8);
    EXPECT_EQ(dialog->font->faceName, u"System");
}

TEST(ResourceScript, AboutDialogControls)
{
    auto const dialog = ParseDialogTemplate(DataOf(ResourceType::Dialog, RES_ABOUT_DIALOG));
    ASSERT_TRUE(dialog);
    ASSERT_EQ(dialog->items.size(), 4u);
    struct Control {
        std::uint32_t style;
        std::uint16_t id;
        std::int16_t x, y, cx, cy;
        std::uint16_t windowClass;
        ResourceId text;
    };
    Control const expected[] = {
        { 0x50000003, 2, 14, 9, 16, 16, CONTROL_CLASS_STATIC, ResourceId::Number(107) },
        { 0x50020080, 0xFFFF, 49, 10, 119, 8, CONTROL_CLASS_STATIC, ResourceId::Name(u"Morva Version 1.0") },
        { 0x50020000, 0xFFFF, 49, 20, 119, 8, CONTROL_CLASS_STATIC, ResourceId::Name(u"A planet grown by random cuts") },
        { 0x50030001, 1, 195, 6, 30, 11, CONTROL_CLASS_BUTTON, ResourceId::Name(u"OK") },
    };
    for (std::size_t i = 0; i < 4; ++i) {
        auto const& item = dialog->items[i];
        SCOPED_TRACE(i);
        EXPECT_EQ(item.style, expected[i].style);
        EXPECT_EQ(item.extendedStyle, 0u);
        EXPECT_EQ(item.id, expected[i].id);
        EXPECT_EQ(item.x, expected[i].x);
        EXPECT_EQ(item.y, expected[i].y);
        EXPECT_EQ(item.cx, expected[i].cx);
        EXPECT_EQ(item.cy, expected[i].cy);
        EXPECT_EQ(item.windowClass, ResourceId::Number(expected[i].windowClass));
        EXPECT_EQ(item.text, expected[i].text);
        EXPECT_TRUE(item.creationData.empty());
    }
    // The second line is the implementer's; it must fit the 119 units.
    EXPECT_LE(dialog->items[2].text.name.size(), 30u);
}

TEST(ResourceScript, StringTable)
{
    std::pair<std::uint32_t, std::u16string> const expected[] = {
        { 103, u"Morva" },
        { 106, u"Hello World!" },
        { 109, u"MORVA" },
        { 32771, u"Dissect" },
        { 32772, u"Render" },
        { 32773, u"Draw" },
        { 32774, u"Dissect" },
        { 32775, u"Only map" },
    };
    for (auto const& [id, text] : expected)
        EXPECT_EQ(FindString(Resources(), id), text) << id;

    // Every other string of the two blocks is empty.
    int nonEmpty = 0;
    for (std::uint32_t first : { 96u, 32768u }) {
        for (std::uint32_t id = first; id < first + 16; ++id) {
            auto const text = FindString(Resources(), id);
            ASSERT_TRUE(text) << id;
            nonEmpty += !text->empty();
        }
    }
    EXPECT_EQ(nonEmpty, 8);
}

TEST(ResourceScript, IconGroupsHoldFourBitImagesWithMasks)
{
    struct Expected {
        std::uint16_t group;
        std::vector<int> sizes;
    };
    for (auto const& [groupName, sizes] : { Expected { RES_ICON_LARGE, { 32, 16 } }, Expected { RES_ICON_SMALL, { 16 } } }) {
        SCOPED_TRACE(groupName);
        auto const group = ParseIconGroup(DataOf(ResourceType::GroupIcon, groupName));
        ASSERT_TRUE(group);
        ASSERT_EQ(group->entries.size(), sizes.size());
        for (std::size_t i = 0; i < sizes.size(); ++i) {
            auto const& entry = group->entries[i];
            int const size = sizes[i];
            EXPECT_EQ(entry.width, size);
            EXPECT_EQ(entry.height, size);
            EXPECT_EQ(entry.colorCount, 16);
            EXPECT_EQ(entry.planes, 1);
            EXPECT_EQ(entry.bitCount, 4);

            // The image: BITMAPINFOHEADER of doubled height, 16 palette
            // entries, 4-bit colour rows, then the 1-bit mask rows, each row
            // padded to four bytes.
            auto const image = DataOf(ResourceType::Icon, entry.iconId);
            std::size_t const colorBytes = static_cast<std::size_t>(size) * static_cast<std::size_t>(size) / 2;
            std::size_t const maskBytes = static_cast<std::size_t>(size) * 4;
            ASSERT_EQ(image.size(), 40 + 16 * 4 + colorBytes + maskBytes);
            EXPECT_EQ(entry.bytesInResource, image.size());
            EXPECT_EQ(Dword(image, 0), 40u);
            EXPECT_EQ(Dword(image, 4), static_cast<std::uint32_t>(size));
            EXPECT_EQ(Dword(image, 8), static_cast<std::uint32_t>(2 * size));
            EXPECT_EQ(Word(image, 12), 1);
            EXPECT_EQ(Word(image, 14), 4);
            EXPECT_EQ(Dword(image, 16), 0u); // BI_RGB
        }
    }
}

TEST(ResourceScript, IconsShowAGlobeOnATransparentGround)
{
    auto const icons = LoadIconGroup(Resources(), ResourceId::Number(RES_ICON_LARGE));
    auto const small = LoadIconGroup(Resources(), ResourceId::Number(RES_ICON_SMALL));
    ASSERT_TRUE(icons);
    ASSERT_TRUE(small);
    auto images = *icons;
    images.push_back(small->front());
    for (auto const& image : images) {
        SCOPED_TRACE(image.width);
        int const last = image.width - 1;
        // The corners lie outside the disc, the centre inside.
        for (auto const& [x, y] : { std::pair { 0, 0 }, { last, 0 }, { 0, last }, { last, last } })
            EXPECT_EQ(image.Pixel(x, y) >> 24, 0u);
        EXPECT_EQ(image.Pixel(image.width / 2, image.height / 2) >> 24, 255u);

        // Ocean and land: opaque pixels where blue dominates and where green
        // does.
        int ocean = 0;
        int land = 0;
        for (std::uint32_t pixel : image.pixels) {
            if (pixel >> 24 == 0)
                continue;
            int const red = pixel >> 16 & 0xFF, green = pixel >> 8 & 0xFF, blue = pixel & 0xFF;
            ocean += blue > green && blue > red;
            land += green > blue && green > red;
        }
        EXPECT_GT(ocean, static_cast<int>(image.pixels.size()) / 10);
        EXPECT_GT(land, static_cast<int>(image.pixels.size()) / 20);
    }
}
