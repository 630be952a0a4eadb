// LoadStringA, LoadIconA and LoadAcceleratorsA, and the accessors the USER
// subset uses, on the program's embedded resources.

#include "app/resource.h"
#include "tests/resources/resource_printers.h"
#include "winapi/resources/module_resources.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

using namespace winapi::resources;

namespace {

// Each test may replace the module's resources; the embedded ones come back
// afterwards.
class ModuleResourceFunctions : public testing::Test {
protected:
    void SetUp() override { m_embedded = ModuleResourceBytes(); }
    void TearDown() override { ASSERT_TRUE(SetModuleResources(m_embedded)); }

    std::span<std::uint8_t const> m_embedded;
};

}

TEST_F(ModuleResourceFunctions, LoadStringCopiesAndTerminates)
{
    char buffer[100];
    std::memset(buffer, 'x', sizeof buffer);
    EXPECT_EQ(LoadStringA(MainModule(), STR_TITLE, buffer, 100), 5);
    EXPECT_STREQ(buffer, "Morva");
    EXPECT_EQ(LoadStringA(MainModule(), RES_MAIN, buffer, 100), 5);
    EXPECT_STREQ(buffer, "MORVA");
    // Null stands for the program's own module.
    EXPECT_EQ(LoadStringA(nullptr, 106, buffer, 100), 12);
    EXPECT_STREQ(buffer, "Hello World!");
    EXPECT_EQ(LoadStringA(nullptr, CMD_ONLY_MAP, buffer, 100), 8);
    EXPECT_STREQ(buffer, "Only map");
}

TEST_F(ModuleResourceFunctions, LoadStringCutsToTheBuffer)
{
    char buffer[8];
    std::memset(buffer, 'x', sizeof buffer);
    EXPECT_EQ(LoadStringA(MainModule(), 106, buffer, 6), 5);
    EXPECT_STREQ(buffer, "Hello");
    EXPECT_EQ(buffer[6], 'x');

    EXPECT_EQ(LoadStringA(MainModule(), 106, buffer, 1), 0);
    EXPECT_STREQ(buffer, "");

    // No room at all: nothing is written.
    buffer[0] = 'x';
    EXPECT_EQ(LoadStringA(MainModule(), 106, buffer, 0), 0);
    EXPECT_EQ(LoadStringA(MainModule(), 106, buffer, -5), 0);
    EXPECT_EQ(buffer[0], 'x');
    EXPECT_EQ(LoadStringA(MainModule(), 106, nullptr, 100), 0);
}

TEST_F(ModuleResourceFunctions, LoadStringOfAMissingStringIsEmpty)
{
    char buffer[16] = "previous";
    // In an existing block, and in a block that does not exist.
    EXPECT_EQ(LoadStringA(MainModule(), 104, buffer, 16), 0);
    EXPECT_STREQ(buffer, "");
    std::strcpy(buffer, "previous");
    EXPECT_EQ(LoadStringA(MainModule(), 500, buffer, 16), 0);
    EXPECT_STREQ(buffer, "");

    // Another module's handle finds nothing.
    HINSTANCE__ other {};
    std::strcpy(buffer, "previous");
    EXPECT_EQ(LoadStringA(&other, STR_TITLE, buffer, 16), 0);
    EXPECT_STREQ(buffer, "");
}

TEST_F(ModuleResourceFunctions, LoadIconGivesSharedHandlesToTheDecodedGroups)
{
    HICON large = LoadIconA(MainModule(), MAKEINTRESOURCE(RES_ICON_LARGE));
    HICON small = LoadIconA(MainModule(), MAKEINTRESOURCE(RES_ICON_SMALL));
    ASSERT_NE(large, nullptr);
    ASSERT_NE(small, nullptr);
    EXPECT_NE(large, small);
    EXPECT_EQ(LoadIconA(MainModule(), MAKEINTRESOURCE(RES_ICON_LARGE)), large);
    EXPECT_EQ(LoadIconA(MainModule(), "#107"), large);

    auto const* largeIcon = IconFromHandle(large);
    auto const* smallIcon = IconFromHandle(small);
    ASSERT_NE(largeIcon, nullptr);
    ASSERT_NE(smallIcon, nullptr);
    ASSERT_EQ(largeIcon->images.size(), 2u);
    EXPECT_EQ(largeIcon->images[0].width, 32);
    EXPECT_EQ(largeIcon->images[0].pixels.size(), 32u * 32u);
    EXPECT_EQ(largeIcon->images[1].width, 16);
    ASSERT_EQ(smallIcon->images.size(), 1u);
    EXPECT_EQ(smallIcon->images[0].height, 16);
}

TEST_F(ModuleResourceFunctions, LoadIconFailsForMissingIconsAndSystemIcons)
{
    EXPECT_EQ(LoadIconA(MainModule(), MAKEINTRESOURCE(109)), nullptr);
    EXPECT_EQ(LoadIconA(MainModule(), "MORVA"), nullptr);
    EXPECT_EQ(LoadIconA(nullptr, MAKEINTRESOURCE(32512)), nullptr);
    EXPECT_EQ(LoadIconA(MainModule(), nullptr), nullptr);

    int notAnIcon = 0;
    EXPECT_EQ(IconFromHandle(reinterpret_cast<HICON>(&notAnIcon)), nullptr);
    EXPECT_EQ(IconFromHandle(nullptr), nullptr);
}

TEST_F(ModuleResourceFunctions, LoadAcceleratorsGivesTheParsedTable)
{
    HACCEL table = LoadAcceleratorsA(MainModule(), MAKEINTRESOURCE(RES_MAIN));
    ASSERT_NE(table, nullptr);
    EXPECT_EQ(LoadAcceleratorsA(nullptr, "#109"), table);
    auto const* parsed = AcceleratorTableFromHandle(table);
    ASSERT_NE(parsed, nullptr);
    ASSERT_EQ(parsed->entries.size(), 6u);
    EXPECT_EQ(parsed->entries[5].key, 'W');
    EXPECT_EQ(parsed->entries[5].flags, 0x8B);

    EXPECT_EQ(LoadAcceleratorsA(MainModule(), MAKEINTRESOURCE(RES_ABOUT_DIALOG)), nullptr);
    int notATable = 0;
    EXPECT_EQ(AcceleratorTableFromHandle(reinterpret_cast<HACCEL>(&notATable)), nullptr);
    // An icon handle is not a table, nor the other way round.
    HICON icon = LoadIconA(MainModule(), MAKEINTRESOURCE(RES_ICON_LARGE));
    EXPECT_EQ(AcceleratorTableFromHandle(reinterpret_cast<HACCEL>(icon)), nullptr);
    EXPECT_EQ(IconFromHandle(reinterpret_cast<HICON>(table)), nullptr);
}

TEST_F(ModuleResourceFunctions, MenuAndDialogTemplatesByWin32Name)
{
    auto const menu = LoadMenuTemplate(MainModule(), MAKEINTRESOURCE(RES_MAIN));
    ASSERT_TRUE(menu);
    EXPECT_EQ(menu->items.size(), 3u);
    EXPECT_TRUE(LoadMenuTemplate(nullptr, "#109"));
    EXPECT_FALSE(LoadMenuTemplate(MainModule(), MAKEINTRESOURCE(RES_ABOUT_DIALOG)));

    auto const dialog = LoadDialogTemplate(MainModule(), MAKEINTRESOURCE(RES_ABOUT_DIALOG));
    ASSERT_TRUE(dialog);
    EXPECT_EQ(dialog->caption, u"About");
    EXPECT_FALSE(LoadDialogTemplate(MainModule(), MAKEINTRESOURCE(RES_MAIN)));
    HINSTANCE__ other {};
    EXPECT_FALSE(LoadDialogTemplate(&other, MAKEINTRESOURCE(RES_ABOUT_DIALOG)));
}

TEST_F(ModuleResourceFunctions, BrokenResourcesLoadNothingAndOldHandlesStayValid)
{
    HICON icon = LoadIconA(MainModule(), MAKEINTRESOURCE(RES_ICON_LARGE));
    HACCEL table = LoadAcceleratorsA(MainModule(), MAKEINTRESOURCE(RES_MAIN));
    ASSERT_NE(icon, nullptr);
    ASSERT_NE(table, nullptr);

    std::vector<std::uint8_t> const broken(m_embedded.begin(), m_embedded.begin() + 40);
    EXPECT_FALSE(SetModuleResources(broken));
    EXPECT_EQ(ModuleResources(MainModule()), nullptr);
    char buffer[16] = "previous";
    EXPECT_EQ(LoadStringA(MainModule(), STR_TITLE, buffer, 16), 0);
    EXPECT_STREQ(buffer, "");
    EXPECT_EQ(LoadIconA(MainModule(), MAKEINTRESOURCE(RES_ICON_LARGE)), nullptr);
    EXPECT_EQ(LoadAcceleratorsA(MainModule(), MAKEINTRESOURCE(RES_MAIN)), nullptr);
    EXPECT_FALSE(LoadMenuTemplate(MainModule(), MAKEINTRESOURCE(RES_MAIN)));

    ASSERT_NE(IconFromHandle(icon), nullptr);
    EXPECT_EQ(IconFromHandle(icon)->images.size(), 2u);
    ASSERT_NE(AcceleratorTableFromHandle(table), nullptr);
    EXPECT_EQ(AcceleratorTableFromHandle(table)->entries.size(), 6u);
}
