// The resource readers on hand-made and damaged data: every malformation
// fails cleanly, whatever parses holds exactly what its bytes say, nothing
// is read outside the data (the sanitizer build checks that: each test
// copies its input into a buffer of exactly its size), and well-formed
// variants the program does not use still parse.

#include "tests/resources/res_builder.h"
#include "tests/resources/resource_printers.h"
#include "tests/resources/resource_writers.h"
#include "winapi/resources/accelerator_table.h"
#include "winapi/resources/dialog_template.h"
#include "winapi/resources/icon_group.h"
#include "winapi/resources/menu_template.h"
#include "winapi/resources/module_resources.h"
#include "winapi/resources/resource_file.h"
#include "winapi/resources/string_table.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

using namespace winapi::resources;

namespace {

// An exact-size heap copy, so a read one byte past the end is caught.
std::vector<std::uint8_t> Prefix(std::span<std::uint8_t const> bytes, std::size_t length)
{
    return { bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(length) };
}

std::vector<std::uint8_t> EmbeddedBytes()
{
    auto const bytes = ModuleResourceBytes();
    return { bytes.begin(), bytes.end() };
}

std::vector<std::uint8_t> EmbeddedData(ResourceType type, std::uint16_t name)
{
    auto const* file = ModuleResources(MainModule());
    if (!file)
        return {};
    auto const* entry = file->Find(TypeId(type), ResourceId::Number(name));
    if (!entry)
        return {};
    return { entry->data.begin(), entry->data.end() };
}

// Little-endian words of the data; past its end, a value no word has.
constexpr std::uint32_t PAST_THE_END = 0xFFFFFFFF;

std::uint32_t WordAt(std::span<std::uint8_t const> bytes, std::size_t offset)
{
    if (offset > bytes.size() || bytes.size() - offset < 2)
        return PAST_THE_END;
    return static_cast<std::uint32_t>(bytes[offset] | bytes[offset + 1] << 8);
}

std::uint32_t DwordAt(std::span<std::uint8_t const> bytes, std::size_t offset)
{
    std::uint32_t const low = WordAt(bytes, offset);
    std::uint32_t const high = WordAt(bytes, offset + 2);
    if (low == PAST_THE_END || high == PAST_THE_END)
        return PAST_THE_END;
    return low | high << 16;
}

// True when the data begins with `expected`: a parse written back must be
// the bytes it was read from, so no count, id or text can be other than
// the data says, nor longer than the data.
bool StartsWith(std::span<std::uint8_t const> data, std::vector<std::uint8_t> const& expected)
{
    return expected.size() <= data.size() && std::equal(expected.begin(), expected.end(), data.begin());
}

// Every entry against its record in the file: the record starts where the
// one before ends, padded to four bytes (the first at 0, or after the
// 32-byte opening record), and its sizes, ids, flags and language are the
// words there.
void ExpectRecordsAsInTheBytes(ResourceFile const& file, std::span<std::uint8_t const> bytes)
{
    auto const& entries = file.Entries();
    EXPECT_LE(entries.size(), bytes.size() / 32) << "no record is shorter than its 32-byte header";
    std::size_t start = 0;
    for (std::size_t k = 0; k < entries.size(); ++k) {
        SCOPED_TRACE("entry " + std::to_string(k));
        ResourceEntry const& entry = entries[k];
        ASSERT_GE(entry.data.data(), bytes.data());
        ASSERT_LE(entry.data.data() + entry.data.size(), bytes.data() + bytes.size());
        auto const dataOffset = static_cast<std::size_t>(entry.data.data() - bytes.data());
        if (k == 0 && !(DwordAt(bytes, 0) == entry.data.size() && DwordAt(bytes, 4) == dataOffset))
            start = 32;
        ASSERT_LE(start + 32, dataOffset);
        EXPECT_EQ(DwordAt(bytes, start), entry.data.size());
        EXPECT_EQ(start + DwordAt(bytes, start + 4), dataOffset);
        std::size_t offset = start + 8;
        for (ResourceId const* id : { &entry.type, &entry.name }) {
            if (id->IsNumber()) {
                EXPECT_EQ(WordAt(bytes, offset), 0xFFFFu);
                EXPECT_EQ(WordAt(bytes, offset + 2), std::uint32_t { *id->number });
                offset += 4;
                continue;
            }
            for (char16_t const unit : id->name) {
                EXPECT_EQ(WordAt(bytes, offset), std::uint32_t { unit });
                offset += 2;
            }
            EXPECT_EQ(WordAt(bytes, offset), 0u) << "a name ends with its terminator";
            offset += 2;
        }
        offset = (offset + 3) & ~std::size_t { 3 };
        EXPECT_EQ(DwordAt(bytes, offset), entry.dataVersion);
        EXPECT_EQ(WordAt(bytes, offset + 4), std::uint32_t { entry.memoryFlags });
        EXPECT_EQ(WordAt(bytes, offset + 6), std::uint32_t { entry.language });
        EXPECT_LE(offset + 16, dataOffset) << "the fields lie inside the header";
        start = std::min((dataOffset + entry.data.size() + 3) & ~std::size_t { 3 }, bytes.size());
    }
}

// Each level of a menu ends with its one item marked last; pop-ups have no
// identifier, command items no items; texts end at their terminator.
void ExpectMenuLevel(std::vector<MenuItem> const& items, int depth)
{
    EXPECT_LE(depth, MENU_MAX_DEPTH);
    EXPECT_FALSE(items.empty() && depth > 1) << "a pop-up without items";
    for (std::size_t i = 0; i < items.size(); ++i) {
        MenuItem const& item = items[i];
        EXPECT_EQ((item.flags & MENU_ITEM_END) != 0, i + 1 == items.size()) << "item " << i;
        EXPECT_EQ(item.text.find(u'\0'), std::u16string::npos);
        if (item.IsPopup()) {
            EXPECT_EQ(item.id, 0);
            ExpectMenuLevel(item.items, depth + 1);
        } else {
            EXPECT_TRUE(item.items.empty());
        }
    }
}

// Runs every parser on every entry: each either fails or gives what the
// entry's bytes hold.
void ExpectParsesAsInTheBytes(ResourceFile const& file)
{
    using namespace resource_writers;
    for (auto const& entry : file.Entries()) {
        auto const data = entry.data;
        if (auto const menu = ParseMenuTemplate(data)) {
            ExpectMenuLevel(menu->items, 1);
            std::size_t const itemsStart = 4 + WordAt(data, 2);
            ASSERT_LE(itemsStart, data.size());
            EXPECT_TRUE(StartsWith(data.subspan(itemsStart), MenuItemBytes(*menu))) << "menu";
            EXPECT_TRUE(!menu->items.empty() || itemsStart == data.size()) << "an empty menu bar ends at its header";
        }
        if (auto const dialog = ParseDialogTemplate(data)) {
            EXPECT_TRUE(StartsWith(data, DialogBytes(*dialog, data))) << "dialog";
            EXPECT_EQ(dialog->font.has_value(), (dialog->style & DIALOG_STYLE_SETFONT) != 0);
        }
        if (auto const table = ParseAcceleratorTable(data)) {
            EXPECT_TRUE(StartsWith(data, AcceleratorBytes(*table))) << "accelerators";
            auto const& entries = table->entries;
            for (std::size_t i = 0; i + 1 < entries.size(); ++i)
                EXPECT_FALSE(entries[i].flags & ACCEL_LAST_ENTRY) << "entries after the last";
            if (!(entries.back().flags & ACCEL_LAST_ENTRY)) {
                EXPECT_EQ(entries.size(), data.size() / 8) << "without an end mark, every whole entry";
            }
        }
        if (auto const block = ParseStringBlock(data)) {
            EXPECT_TRUE(StartsWith(data, StringBlockBytes(*block))) << "string block";
        }
        if (auto const group = ParseIconGroup(data)) {
            EXPECT_TRUE(StartsWith(data, IconGroupBytes(*group, data))) << "icon group";
        }
        if (auto const image = DecodeIconImage(data)) {
            EXPECT_GE(image->width, 1);
            EXPECT_LE(image->width, 256);
            EXPECT_GE(image->height, 1);
            EXPECT_LE(image->height, 256);
            EXPECT_EQ(static_cast<std::uint32_t>(image->width), DwordAt(data, 4));
            EXPECT_EQ(static_cast<std::uint32_t>(2 * image->height), DwordAt(data, 8));
            EXPECT_EQ(static_cast<std::uint32_t>(image->bitCount), WordAt(data, 14));
            EXPECT_EQ(image->pixels.size(), static_cast<std::size_t>(image->width) * static_cast<std::size_t>(image->height));
        }
        if (entry.type == TypeId(ResourceType::GroupIcon)) {
            if (auto const images = LoadIconGroup(file, entry.name)) {
                auto const group = ParseIconGroup(file.Find(entry.type, entry.name)->data);
                ASSERT_TRUE(group);
                EXPECT_EQ(images->size(), group->entries.size()) << "one image for each entry";
            }
        }
    }
}

}

TEST(ResourceFile, EveryTruncationFailsOrKeepsOnlyWholeRecords)
{
    auto const full = EmbeddedBytes();
    ASSERT_FALSE(full.empty());
    auto const whole = ResourceFile::Parse(full);
    ASSERT_TRUE(whole);
    ExpectRecordsAsInTheBytes(*whole, full);
    ExpectParsesAsInTheBytes(*whole);
    int parsed = 0;
    for (std::size_t length = 0; length < full.size(); ++length) {
        auto const bytes = Prefix(full, length);
        auto const file = ResourceFile::Parse(bytes);
        if (!file)
            continue;
        SCOPED_TRACE(length);
        ++parsed;
        EXPECT_LT(file->Entries().size(), whole->Entries().size());
        ExpectRecordsAsInTheBytes(*file, bytes);
        ExpectParsesAsInTheBytes(*file);
    }
    // At least the prefixes that end between records: the empty one, the
    // opening record alone, and each record but the last with those before.
    EXPECT_GE(parsed, static_cast<int>(whole->Entries().size()) + 1);
}

TEST(ResourceFile, CorruptedBytesFailOrParseAsTheyNowRead)
{
    auto const full = EmbeddedBytes();
    ASSERT_FALSE(full.empty());
    int parsed = 0;
    for (std::size_t i = 0; i < full.size(); ++i) {
        for (std::uint8_t const value : { std::uint8_t { 0x00 }, std::uint8_t { 0xFF }, static_cast<std::uint8_t>(full[i] ^ 0x80) }) {
            auto bytes = full;
            bytes[i] = value;
            auto const file = ResourceFile::Parse(bytes);
            if (!file)
                continue;
            ++parsed;
            SCOPED_TRACE("byte " + std::to_string(i) + " set to " + std::to_string(value));
            ExpectRecordsAsInTheBytes(*file, bytes);
            ExpectParsesAsInTheBytes(*file);
            if (HasFailure())
                return;
        }
    }
    // Most changes fall inside some resource's data and leave the file whole.
    EXPECT_GT(parsed, static_cast<int>(full.size()));
}

namespace {

// The program's resources with bytes changed on purpose: each change has
// one outcome the readers must show.
class ChangedResources : public testing::Test {
protected:
    void SetUp() override
    {
        bytes = EmbeddedBytes();
        ASSERT_TRUE(ResourceFile::Parse(bytes));
    }

    // Where the data of a resource lies in the file.
    std::size_t DataOffset(ResourceType type, std::uint16_t name) const
    {
        auto const file = ResourceFile::Parse(bytes);
        auto const* entry = file ? file->Find(TypeId(type), ResourceId::Number(name)) : nullptr;
        EXPECT_NE(entry, nullptr);
        return entry ? static_cast<std::size_t>(entry->data.data() - bytes.data()) : 0;
    }

    // The data of a resource after the change; empty when it is gone.
    std::vector<std::uint8_t> Data(ResourceType type, std::uint16_t name) const
    {
        auto const file = ResourceFile::Parse(bytes);
        auto const* entry = file ? file->Find(TypeId(type), ResourceId::Number(name)) : nullptr;
        if (!entry)
            return {};
        return { entry->data.begin(), entry->data.end() };
    }

    std::vector<std::uint8_t> bytes;
};

}

TEST_F(ChangedResources, AnAcceleratorsCommandAndEndMarkAreItsWords)
{
    std::size_t const table = DataOffset(ResourceType::Accelerator, 109);
    // The low byte of the first entry's command (104, Alt+/).
    bytes[table + 4] = 0x99;
    auto const changed = ParseAcceleratorTable(Data(ResourceType::Accelerator, 109));
    ASSERT_TRUE(changed);
    ASSERT_EQ(changed->entries.size(), 6u);
    EXPECT_EQ(changed->entries[0].command, 0x99);
    EXPECT_EQ(changed->entries[0].key, '/');
    EXPECT_EQ(changed->entries[1].command, 104);

    // The end mark on the first entry ends the table there.
    bytes[table] |= ACCEL_LAST_ENTRY;
    auto const shortened = ParseAcceleratorTable(Data(ResourceType::Accelerator, 109));
    ASSERT_TRUE(shortened);
    EXPECT_EQ(shortened->entries.size(), 1u);
}

TEST_F(ChangedResources, AMenuTextIsItsUnits)
{
    // The F of "&File": after the four-byte header, the pop-up's flags and
    // the ampersand.
    std::size_t const menu = DataOffset(ResourceType::Menu, 109);
    ASSERT_EQ(bytes[menu + 8], 'F');
    bytes[menu + 8] = 'X';
    auto const changed = ParseMenuTemplate(Data(ResourceType::Menu, 109));
    ASSERT_TRUE(changed);
    ASSERT_EQ(changed->items.size(), 3u);
    EXPECT_EQ(changed->items[0].text, u"&Xile");
    EXPECT_EQ(changed->items[1].text, u"&Globe");

    // Without its end mark, the menu bar's last pop-up is followed by
    // items past the data.
    std::vector<std::uint8_t> const help { '&', 0, 'H', 0, 'e', 0, 'l', 0, 'p', 0, 0, 0 };
    auto const data = Data(ResourceType::Menu, 109);
    auto const text = std::search(data.begin(), data.end(), help.begin(), help.end());
    ASSERT_NE(text, data.end());
    std::size_t const flags = menu + static_cast<std::size_t>(text - data.begin()) - 2;
    ASSERT_EQ(bytes[flags], MENU_ITEM_POPUP | MENU_ITEM_END);
    bytes[flags] = MENU_ITEM_POPUP;
    EXPECT_FALSE(ParseMenuTemplate(Data(ResourceType::Menu, 109)));
}

TEST_F(ChangedResources, TheDialogsControlCountIsItsWord)
{
    std::size_t const dialog = DataOffset(ResourceType::Dialog, 103);
    ASSERT_EQ(bytes[dialog + 8], 4);
    bytes[dialog + 8] = 3;
    auto const fewer = ParseDialogTemplate(Data(ResourceType::Dialog, 103));
    ASSERT_TRUE(fewer);
    ASSERT_EQ(fewer->items.size(), 3u);
    EXPECT_EQ(fewer->items[2].text, ResourceId::Name(u"A planet grown by random cuts"));
    bytes[dialog + 8] = 5;
    EXPECT_FALSE(ParseDialogTemplate(Data(ResourceType::Dialog, 103))) << "a fifth control past the data";
}

TEST_F(ChangedResources, AStringIsItsUnits)
{
    // String 103 is entry 7 of block 7: seven empty entries, then the
    // length 5 and "Morva".
    std::size_t const block = DataOffset(ResourceType::String, 7);
    ASSERT_EQ(bytes[block + 14], 5);
    ASSERT_EQ(bytes[block + 16], 'M');
    bytes[block + 16] = 'W';
    auto const file = ResourceFile::Parse(bytes);
    ASSERT_TRUE(file);
    EXPECT_EQ(FindString(*file, 103), std::u16string(u"Worva"));
    EXPECT_EQ(FindString(*file, 106), std::u16string(u"Hello World!"));

    // One unit shorter, the last letter reads as the next entry's length,
    // 97, which runs past the block: none of its strings is found.
    bytes[block + 14] = 4;
    auto const shorter = ResourceFile::Parse(bytes);
    ASSERT_TRUE(shorter);
    EXPECT_EQ(FindString(*shorter, 103), std::nullopt);
    EXPECT_EQ(FindString(*shorter, 106), std::nullopt);
    EXPECT_EQ(FindString(*shorter, 32771), std::u16string(u"Dissect")) << "another block";
}

TEST_F(ChangedResources, AnIconGroupNeedsTheImagesItNames)
{
    std::size_t const group = DataOffset(ResourceType::GroupIcon, 107);
    auto const before = ParseIconGroup(Data(ResourceType::GroupIcon, 107));
    ASSERT_TRUE(before);
    ASSERT_FALSE(before->entries.empty());

    // The first entry's icon id (at 6 + 12) naming no icon.
    bytes[group + 18] = 0xEE;
    bytes[group + 19] = 0xEE;
    auto file = ResourceFile::Parse(bytes);
    ASSERT_TRUE(file);
    EXPECT_EQ(ParseIconGroup(Data(ResourceType::GroupIcon, 107))->entries[0].iconId, 0xEEEE);
    EXPECT_FALSE(LoadIconGroup(*file, ResourceId::Number(107)));

    // A count of zero: a well-formed group without images, which loads
    // nothing.
    bytes[group + 4] = 0;
    bytes[group + 5] = 0;
    file = ResourceFile::Parse(bytes);
    ASSERT_TRUE(file);
    auto const empty = ParseIconGroup(Data(ResourceType::GroupIcon, 107));
    ASSERT_TRUE(empty);
    EXPECT_TRUE(empty->entries.empty());
    EXPECT_FALSE(LoadIconGroup(*file, ResourceId::Number(107)));
}

TEST_F(ChangedResources, ARecordsTypeIsItsHeaderWord)
{
    // The menu's record has numbered ids: its 32-byte header ends where
    // its data begins, the type number at 10 bytes in.
    std::size_t const menu = DataOffset(ResourceType::Menu, 109);
    ASSERT_EQ(DwordAt(bytes, menu - 32 + 4), 32u);
    ASSERT_EQ(WordAt(bytes, menu - 32 + 8), 0xFFFFu);
    std::size_t const type = menu - 32 + 10;
    ASSERT_EQ(bytes[type], 4);
    bytes[type] = 5;
    auto const file = ResourceFile::Parse(bytes);
    ASSERT_TRUE(file);
    EXPECT_EQ(file->Find(TypeId(ResourceType::Menu), ResourceId::Number(109)), nullptr);
    auto const* asDialog = file->Find(TypeId(ResourceType::Dialog), ResourceId::Number(109));
    ASSERT_NE(asDialog, nullptr);
    EXPECT_EQ(asDialog->data.data(), bytes.data() + menu);
}

TEST(ResourceFile, RejectsBadRecordSizes)
{
    auto const good = ResBuilder().Add(6, 1, 1033, std::vector<std::uint8_t>(32, 0)).Data();
    ASSERT_TRUE(ResourceFile::Parse(good));
    std::size_t const record = 32; // after the opening record

    auto tooSmallHeader = good;
    tooSmallHeader[record + 4] = 24;
    EXPECT_FALSE(ResourceFile::Parse(tooSmallHeader));

    auto headerPastEnd = good;
    headerPastEnd[record + 4] = 0xF0;
    headerPastEnd[record + 5] = 0xFF;
    EXPECT_FALSE(ResourceFile::Parse(headerPastEnd));

    for (std::uint32_t const size : { 33u, 0xFFFFFFFFu, 0x80000000u }) {
        auto dataPastEnd = good;
        for (int b = 0; b < 4; ++b)
            dataPastEnd[record + static_cast<std::size_t>(b)] = static_cast<std::uint8_t>(size >> (8 * b));
        EXPECT_FALSE(ResourceFile::Parse(dataPastEnd)) << size;
    }

    // A few stray bytes after the last record are not a record.
    auto trailing = good;
    trailing.insert(trailing.end(), { 1, 2, 3, 4 });
    EXPECT_FALSE(ResourceFile::Parse(trailing));
}

TEST(ResourceFile, NameMustEndInsideItsHeader)
{
    // A string name whose terminator would lie beyond the header size.
    Bytes file;
    file.Append(ResBuilder().Data());
    file.U32(0).U32(32).Ordinal(6);
    for (int i = 0; i < 16; ++i)
        file.U16(static_cast<std::uint16_t>('A' + i));
    EXPECT_FALSE(ResourceFile::Parse(file.Data()));
}

TEST(ResourceFile, StringNamesMatchWithoutCase)
{
    auto const bytes = ResBuilder().AddNamed(4, u"MAINMENU", 1033, { 1, 2 }).Data();
    auto const file = ResourceFile::Parse(bytes);
    ASSERT_TRUE(file);
    ASSERT_EQ(file->Entries().size(), 1u);
    EXPECT_EQ(file->Entries()[0].name, ResourceId::Name(u"MAINMENU"));
    EXPECT_NE(file->Find(TypeId(ResourceType::Menu), ResourceId::Name(u"mainMenu")), nullptr);
    EXPECT_EQ(file->Find(TypeId(ResourceType::Menu), ResourceId::Name(u"MAINMENU2")), nullptr);
    EXPECT_EQ(file->Find(TypeId(ResourceType::Dialog), ResourceId::Name(u"MAINMENU")), nullptr);
    EXPECT_EQ(file->Find(TypeId(ResourceType::Menu), ResourceId::Number(1)), nullptr);
}

TEST(ResourceFile, PrefersEnglishUSThenNeutralThenFirst)
{
    auto const languageOf = [](ResBuilder const& builder) {
        auto const file = ResourceFile::Parse(builder.Data());
        auto const* entry = file ? file->Find(TypeId(ResourceType::String), ResourceId::Number(1)) : nullptr;
        return entry ? entry->language : 0xFFFF;
    };
    EXPECT_EQ(languageOf(ResBuilder().Add(6, 1, 0x0407, {}).Add(6, 1, 0, {}).Add(6, 1, 0x0409, {})), 0x0409);
    EXPECT_EQ(languageOf(ResBuilder().Add(6, 1, 0x0407, {}).Add(6, 1, 0, {}).Add(6, 1, 0x040C, {})), 0);
    EXPECT_EQ(languageOf(ResBuilder().Add(6, 1, 0x0407, {}).Add(6, 1, 0x040C, {})), 0x0407);
}

TEST(ResourceId, FromWin32Names)
{
    auto const number = ResourceId::FromWin32Name(reinterpret_cast<char const*>(std::uintptr_t { 109 }));
    ASSERT_TRUE(number);
    EXPECT_EQ(*number, ResourceId::Number(109));
    EXPECT_EQ(ResourceId::FromWin32Name("#109"), ResourceId::Number(109));
    EXPECT_EQ(ResourceId::FromWin32Name("#65535"), ResourceId::Number(65535));
    // Not numbers: too large, no digits, other characters.
    EXPECT_EQ(ResourceId::FromWin32Name("#65536"), ResourceId::Name(u"#65536"));
    EXPECT_EQ(ResourceId::FromWin32Name("#"), ResourceId::Name(u"#"));
    EXPECT_EQ(ResourceId::FromWin32Name("#1x"), ResourceId::Name(u"#1X"));
    EXPECT_EQ(ResourceId::FromWin32Name("Morva"), ResourceId::Name(u"MORVA"));
    EXPECT_FALSE(ResourceId::FromWin32Name(nullptr));
    EXPECT_FALSE(ResourceId::Number(5) == ResourceId::Name(u"5"));
}

TEST(MenuTemplate, EveryTruncationOfTheProgramsMenuFails)
{
    auto const menu = EmbeddedData(ResourceType::Menu, 109);
    ASSERT_TRUE(ParseMenuTemplate(menu));
    for (std::size_t length = 0; length < menu.size(); ++length) {
        auto const bytes = Prefix(menu, length);
        auto const parsed = ParseMenuTemplate(bytes);
        if (length == 4) {
            // Nothing after the header: an empty menu bar.
            ASSERT_TRUE(parsed);
            EXPECT_TRUE(parsed->items.empty());
        } else {
            EXPECT_FALSE(parsed) << length;
        }
    }
}

TEST(MenuTemplate, NeedsTheEndOfEveryLevel)
{
    auto const menu = [](std::uint16_t lastItemFlags, std::uint16_t popupFlags) {
        Bytes bytes;
        bytes.U16(0).U16(0);
        bytes.U16(popupFlags).String(u"&File");
        bytes.U16(lastItemFlags).U16(7).String(u"E&xit");
        return bytes.Data();
    };
    EXPECT_TRUE(ParseMenuTemplate(menu(MENU_ITEM_END, MENU_ITEM_POPUP | MENU_ITEM_END)));
    EXPECT_FALSE(ParseMenuTemplate(menu(0, MENU_ITEM_POPUP | MENU_ITEM_END)));
    EXPECT_FALSE(ParseMenuTemplate(menu(MENU_ITEM_END, MENU_ITEM_POPUP)));
}

TEST(MenuTemplate, ReadsSeparatorsStatesAndTheHeaderOffset)
{
    Bytes bytes;
    bytes.U16(0).U16(2).U16(0xABCD); // two bytes of header extension
    bytes.U16(MENU_ITEM_POPUP | MENU_ITEM_END).String(u"&Edit");
    bytes.U16(MENU_ITEM_GRAYED | MENU_ITEM_CHECKED).U16(11).String(u"&Undo\tCtrl+Z");
    bytes.U16(0).U16(0).String(u"");
    bytes.U16(MENU_ITEM_END).U16(12).String(u"Cu&t");
    auto const menu = ParseMenuTemplate(bytes.Data());
    ASSERT_TRUE(menu);
    ASSERT_EQ(menu->items.size(), 1u);
    auto const& items = menu->items[0].items;
    ASSERT_EQ(items.size(), 3u);
    EXPECT_EQ(items[0].flags, MENU_ITEM_GRAYED | MENU_ITEM_CHECKED);
    EXPECT_EQ(items[0].id, 11);
    EXPECT_TRUE(items[1].IsSeparator());
    EXPECT_FALSE(items[2].IsSeparator());
    auto const text = SplitMenuItemText(items[0].text);
    EXPECT_EQ(text.label, u"&Undo");
    EXPECT_EQ(text.keyCaption, u"Ctrl+Z");
    EXPECT_EQ(SplitMenuItemText(u"Cu&t").keyCaption, u"");
}

TEST(MenuTemplate, LimitsNesting)
{
    auto const nested = [](int depth) {
        Bytes bytes;
        bytes.U16(0).U16(0);
        for (int level = 1; level < depth; ++level)
            bytes.U16(MENU_ITEM_POPUP | MENU_ITEM_END).String(u"Deeper");
        bytes.U16(MENU_ITEM_END).U16(1).String(u"Leaf");
        return bytes.Data();
    };
    EXPECT_TRUE(ParseMenuTemplate(nested(MENU_MAX_DEPTH)));
    EXPECT_FALSE(ParseMenuTemplate(nested(MENU_MAX_DEPTH + 1)));
    EXPECT_FALSE(ParseMenuTemplate(nested(100000)));
}

TEST(MenuTemplate, RejectsExtendedMenus)
{
    Bytes bytes;
    bytes.U16(1).U16(4).U32(0);
    bytes.U16(MENU_ITEM_END).U16(1).String(u"Item");
    EXPECT_FALSE(ParseMenuTemplate(bytes.Data()));
}

TEST(AcceleratorTable, EntriesUpToTheMarkedOne)
{
    Bytes bytes;
    bytes.U16(0x0B).U16('A').U16(1).U16(0);
    bytes.U16(0x8B).U16('B').U16(2).U16(0);
    bytes.U16(0x0B).U16('C').U16(3).U16(0); // after the end mark
    auto const table = ParseAcceleratorTable(bytes.Data());
    ASSERT_TRUE(table);
    ASSERT_EQ(table->entries.size(), 2u);
    EXPECT_EQ(table->entries[1].flags, 0x8B);
    EXPECT_EQ(table->entries[1].Modifiers(), 0x0B);
    EXPECT_TRUE(table->entries[1].IsVirtualKey());
    EXPECT_EQ(table->entries[1].key, 'B');
    EXPECT_EQ(table->entries[1].command, 2);
}

TEST(AcceleratorTable, WithoutAnEndMarkTakesWholeEntriesOnly)
{
    Bytes bytes;
    bytes.U16(0x12).U16('/').U16(104).U16(0);
    bytes.U16(0x12).U16('?').U16(104).U16(0);
    bytes.U16(0x0B).U16('D'); // half an entry
    auto const table = ParseAcceleratorTable(bytes.Data());
    ASSERT_TRUE(table);
    ASSERT_EQ(table->entries.size(), 2u);
    EXPECT_FALSE(table->entries[0].IsVirtualKey());
    EXPECT_EQ(table->entries[0].Modifiers(), ACCEL_ALT | ACCEL_NOINVERT);

    EXPECT_FALSE(ParseAcceleratorTable({}));
    auto const seven = Prefix(bytes.Data(), 7);
    EXPECT_FALSE(ParseAcceleratorTable(seven));
}

TEST(DialogTemplate, EveryTruncationOfTheAboutBoxFails)
{
    auto const dialog = EmbeddedData(ResourceType::Dialog, 103);
    ASSERT_TRUE(ParseDialogTemplate(dialog));
    for (std::size_t length = 0; length < dialog.size(); ++length) {
        auto const bytes = Prefix(dialog, length);
        EXPECT_FALSE(ParseDialogTemplate(bytes)) << length;
    }
}

namespace {

Bytes DialogHeader(std::uint32_t style, std::uint16_t count)
{
    Bytes bytes;
    bytes.U32(style).U32(0).U16(count).U16(1).U16(2).U16(100).U16(50);
    return bytes;
}

}

TEST(DialogTemplate, ReadsMenusClassesCreationDataAndNoFont)
{
    Bytes bytes = DialogHeader(0x80C80000, 2); // no DS_SETFONT
    bytes.Ordinal(7).String(u"MyDialogClass").String(u"Title");
    bytes.AlignTo(4).U32(0x50010000).U32(0x200).U16(1).U16(2).U16(3).U16(4).U16(1000);
    bytes.String(u"Edit").String(u"text").U16(3).U8(9).U8(8).U8(7);
    bytes.AlignTo(4).U32(0x50000000).U32(0).U16(5).U16(6).U16(7).U16(8).U16(1001);
    bytes.Ordinal(0x0085).Ordinal(42).U16(0);
    auto const dialog = ParseDialogTemplate(bytes.Data());
    ASSERT_TRUE(dialog);
    EXPECT_EQ(dialog->menu, ResourceId::Number(7));
    EXPECT_EQ(dialog->windowClass, ResourceId::Name(u"MyDialogClass"));
    EXPECT_EQ(dialog->caption, u"Title");
    EXPECT_FALSE(dialog->font);
    ASSERT_EQ(dialog->items.size(), 2u);
    EXPECT_EQ(dialog->items[0].extendedStyle, 0x200u);
    EXPECT_EQ(dialog->items[0].windowClass, ResourceId::Name(u"Edit"));
    EXPECT_EQ(dialog->items[0].text, ResourceId::Name(u"text"));
    EXPECT_EQ(dialog->items[0].creationData, (std::vector<std::uint8_t> { 9, 8, 7 }));
    EXPECT_EQ(dialog->items[1].id, 1001);
    EXPECT_EQ(dialog->items[1].windowClass, ResourceId::Number(CONTROL_CLASS_COMBOBOX));
    EXPECT_EQ(dialog->items[1].text, ResourceId::Number(42));
}

TEST(DialogTemplate, RejectsExtendedTemplatesAndMissingControls)
{
    Bytes extended;
    extended.U16(1).U16(0xFFFF).U32(0).U32(0).U32(0x80C80000).U16(0);
    EXPECT_FALSE(ParseDialogTemplate(extended.Data()));

    Bytes missing = DialogHeader(0x80C80000, 2);
    missing.U16(0).U16(0).String(u"");
    missing.AlignTo(4).U32(0).U32(0).U16(0).U16(0).U16(0).U16(0).U16(1).Ordinal(0x80).String(u"OK").U16(0);
    EXPECT_FALSE(ParseDialogTemplate(missing.Data()));

    // Creation data longer than what is left.
    Bytes overlong = DialogHeader(0x80C80000, 1);
    overlong.U16(0).U16(0).String(u"");
    overlong.AlignTo(4).U32(0).U32(0).U16(0).U16(0).U16(0).U16(0).U16(1).Ordinal(0x80).String(u"OK").U16(40).U32(0);
    EXPECT_FALSE(ParseDialogTemplate(overlong.Data()));
}

TEST(StringBlock, RejectsLengthsPastTheData)
{
    Bytes block;
    block.U16(2).U16('h').U16('i');
    for (int i = 1; i < 16; ++i)
        block.U16(0);
    auto const parsed = ParseStringBlock(block.Data());
    ASSERT_TRUE(parsed);
    EXPECT_EQ((*parsed)[0], u"hi");

    auto const shortBlock = Prefix(block.Data(), block.Size() - 1);
    EXPECT_FALSE(ParseStringBlock(shortBlock));
    Bytes overlong;
    overlong.U16(0xFFFF).U16('x');
    EXPECT_FALSE(ParseStringBlock(overlong.Data()));

    EXPECT_EQ(StringBlockName(0), 1);
    EXPECT_EQ(StringBlockName(15), 1);
    EXPECT_EQ(StringBlockName(16), 2);
    EXPECT_EQ(StringBlockName(65535), 4096);
    EXPECT_EQ(ToAnsi(u"Caf\u00e9 \u20ac"), "Caf\xe9 ?");
}

namespace {

// An icon image: the header with the given fields, a palette of
// `paletteSize` entries (entry i is 0x00i0i0i0 in blue, green, red), and
// the colour and mask bits.
Bytes IconImageBytes(std::int32_t width, std::int32_t height, std::uint16_t bitCount, std::uint32_t colorsUsed,
    std::uint32_t paletteSize, std::vector<std::uint8_t> const& colorBits, std::vector<std::uint8_t> const& maskBits)
{
    Bytes bytes;
    bytes.U32(40).U32(static_cast<std::uint32_t>(width)).U32(static_cast<std::uint32_t>(height) * 2u).U16(1).U16(bitCount);
    bytes.U32(0).U32(0).U32(0).U32(0).U32(colorsUsed).U32(0);
    for (std::uint32_t i = 0; i < paletteSize; ++i)
        bytes.U8(static_cast<std::uint8_t>(i)).U8(static_cast<std::uint8_t>(i * 2)).U8(static_cast<std::uint8_t>(i * 3)).U8(0);
    bytes.Append(colorBits).Append(maskBits);
    return bytes;
}

}

TEST(IconImage, DecodesFourBitsBottomUpWithTheMask)
{
    // 2 x 2: bottom row stored first. Rows are padded to four bytes.
    std::vector<std::uint8_t> const color { 0x12, 0, 0, 0, /* top: */ 0x3F, 0, 0, 0 };
    std::vector<std::uint8_t> const mask { 0x40, 0, 0, 0, /* top: */ 0x80, 0, 0, 0 };
    auto const bytes = IconImageBytes(2, 2, 4, 0, 16, color, mask);
    auto const image = DecodeIconImage(bytes.Data());
    ASSERT_TRUE(image);
    EXPECT_EQ(image->width, 2);
    EXPECT_EQ(image->height, 2);
    EXPECT_EQ(image->bitCount, 4);
    auto const opaque = [](std::uint32_t i) { return 0xFF000000u | (3 * i) << 16 | (2 * i) << 8 | i; };
    EXPECT_EQ(image->Pixel(0, 0), opaque(3) & 0x00FFFFFF); // masked: transparent
    EXPECT_EQ(image->Pixel(1, 0), opaque(15));
    EXPECT_EQ(image->Pixel(0, 1), opaque(1));
    EXPECT_EQ(image->Pixel(1, 1), opaque(2) & 0x00FFFFFF);
}

TEST(IconImage, DecodesOtherDepths)
{
    // 1 bit, 3 pixels wide, with a two-entry table given by biClrUsed.
    auto const mono = DecodeIconImage(IconImageBytes(3, 1, 1, 2, 2, { 0xA0, 0, 0, 0 }, { 0, 0, 0, 0 }).Data());
    ASSERT_TRUE(mono);
    EXPECT_EQ(mono->Pixel(0, 0), 0xFF030201u);
    EXPECT_EQ(mono->Pixel(1, 0), 0xFF000000u);
    EXPECT_EQ(mono->Pixel(2, 0), 0xFF030201u);

    // 8 bits, palette shorter than 256 entries.
    auto const eight = DecodeIconImage(IconImageBytes(1, 1, 8, 5, 5, { 4, 0, 0, 0 }, { 0, 0, 0, 0 }).Data());
    ASSERT_TRUE(eight);
    EXPECT_EQ(eight->Pixel(0, 0), 0xFF0C0804u);

    // 24 bits: blue, green, red.
    auto const rgb = DecodeIconImage(IconImageBytes(1, 1, 24, 0, 0, { 0x11, 0x22, 0x33, 0 }, { 0x80, 0, 0, 0 }).Data());
    ASSERT_TRUE(rgb);
    EXPECT_EQ(rgb->Pixel(0, 0), 0x00332211u);

    // 32 bits with alpha: the alpha wins over the mask.
    auto const alpha = DecodeIconImage(IconImageBytes(2, 1, 32, 0, 0, { 1, 2, 3, 0x40, 4, 5, 6, 0 }, { 0x00, 0, 0, 0 }).Data());
    ASSERT_TRUE(alpha);
    EXPECT_EQ(alpha->Pixel(0, 0), 0x40030201u);
    EXPECT_EQ(alpha->Pixel(1, 0), 0x00060504u);
    // 32 bits without alpha: the mask decides.
    auto const noAlpha = DecodeIconImage(IconImageBytes(2, 1, 32, 0, 0, { 1, 2, 3, 0, 4, 5, 6, 0 }, { 0x40, 0, 0, 0 }).Data());
    ASSERT_TRUE(noAlpha);
    EXPECT_EQ(noAlpha->Pixel(0, 0), 0xFF030201u);
    EXPECT_EQ(noAlpha->Pixel(1, 0), 0x00060504u);
}

TEST(IconImage, RejectsBadHeadersAndShortData)
{
    std::vector<std::uint8_t> const color(4 * 2, 0);
    std::vector<std::uint8_t> const mask(4 * 2, 0);
    ASSERT_TRUE(DecodeIconImage(IconImageBytes(2, 2, 4, 0, 16, color, mask).Data()));
    EXPECT_FALSE(DecodeIconImage(IconImageBytes(2, 2, 3, 0, 16, color, mask).Data()));
    EXPECT_FALSE(DecodeIconImage(IconImageBytes(0, 2, 4, 0, 16, color, mask).Data()));
    EXPECT_FALSE(DecodeIconImage(IconImageBytes(-2, 2, 4, 0, 16, color, mask).Data()));
    EXPECT_FALSE(DecodeIconImage(IconImageBytes(2, -2, 4, 0, 16, color, mask).Data()));
    EXPECT_FALSE(DecodeIconImage(IconImageBytes(257, 2, 4, 0, 16, color, mask).Data()));
    EXPECT_FALSE(DecodeIconImage(IconImageBytes(2, 2, 4, 17, 17, color, mask).Data()));
    EXPECT_FALSE(DecodeIconImage(IconImageBytes(2, 0x40000000, 4, 0, 16, color, mask).Data()));
    EXPECT_FALSE(DecodeIconImage(IconImageBytes(0x7FFFFFFF, 2, 4, 0, 16, color, mask).Data()));

    auto const full = IconImageBytes(2, 2, 4, 0, 16, color, mask);
    for (std::size_t length = 0; length < full.Size(); ++length) {
        auto const bytes = Prefix(full.Data(), length);
        EXPECT_FALSE(DecodeIconImage(bytes)) << length;
    }

    // Not the program's icons, but a compressed (PNG) image is refused, not
    // misread.
    Bytes png;
    png.U8(0x89).U8('P').U8('N').U8('G').U32(0x0A1A0A0D).U32(0).U32(0);
    EXPECT_FALSE(DecodeIconImage(png.Data()));
}

TEST(IconGroup, NeedsEveryImage)
{
    std::vector<std::uint8_t> const color(4 * 2, 0);
    std::vector<std::uint8_t> const mask(4 * 2, 0);
    auto const image = IconImageBytes(2, 2, 4, 0, 16, color, mask).Data();
    auto const group = [](std::vector<std::uint16_t> ids) {
        Bytes bytes;
        bytes.U16(0).U16(1).U16(static_cast<std::uint16_t>(ids.size()));
        for (auto id : ids)
            bytes.U8(2).U8(2).U8(16).U8(0).U16(1).U16(4).U32(0).U16(id);
        return bytes.Data();
    };
    auto const complete = ResBuilder().Add(3, 1, 1033, image).Add(3, 2, 1033, image).Add(14, 5, 1033, group({ 1, 2 })).Data();
    auto const file = ResourceFile::Parse(complete);
    ASSERT_TRUE(file);
    auto const images = LoadIconGroup(*file, ResourceId::Number(5));
    ASSERT_TRUE(images);
    EXPECT_EQ(images->size(), 2u);

    auto const missing = ResBuilder().Add(3, 1, 1033, image).Add(14, 5, 1033, group({ 1, 2 })).Data();
    EXPECT_FALSE(LoadIconGroup(*ResourceFile::Parse(missing), ResourceId::Number(5)));
    auto const empty = ResBuilder().Add(14, 5, 1033, group({})).Data();
    EXPECT_FALSE(LoadIconGroup(*ResourceFile::Parse(empty), ResourceId::Number(5)));

    Bytes wrongType;
    wrongType.U16(0).U16(2).U16(0);
    EXPECT_FALSE(ParseIconGroup(wrongType.Data()));
    auto const shortGroup = Prefix(group({ 1 }), 19);
    EXPECT_FALSE(ParseIconGroup(shortGroup));
}
