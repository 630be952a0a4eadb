#include "test_resources.h"

#include "tests/resources/res_builder.h"
#include "winapi/resources/module_resources.h"

#include <array>
#include <vector>

namespace user_test {

namespace {

constexpr WORD EnglishUs = 0x0409;
constexpr WORD RtIcon = 3;
constexpr WORD RtMenu = 4;
constexpr WORD RtDialog = 5;
constexpr WORD RtAccelerator = 9;
constexpr WORD RtGroupIcon = 14;

std::vector<std::uint8_t> Menu()
{
    Bytes menu;
    menu.U16(0).U16(0); // standard template header
    menu.U16(MF_POPUP).String(u"&File");
    menu.U16(MF_END).U16(CommandExit).String(u"E&xit");
    menu.U16(MF_POPUP).String(u"&Globe");
    menu.U16(0).U16(CommandRender).String(u"&Render\tCtrl-R");
    menu.U16(0).U16(0).String(u""); // separator
    menu.U16(MF_GRAYED).U16(CommandGrayed).String(u"Grayed");
    menu.U16(MF_POPUP | MF_END).String(u"&More");
    menu.U16(MF_END).U16(CommandDeep).String(u"Deep");
    menu.U16(MF_POPUP | MF_END).String(u"&Help");
    menu.U16(MF_END).U16(CommandAbout).String(u"&About ...");
    return menu.Data();
}

std::vector<std::uint8_t> Accelerators(std::vector<std::array<WORD, 3>> const& entries)
{
    Bytes table;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        WORD const flags = entries[i][0] | (i + 1 == entries.size() ? 0x80 : 0);
        table.U16(flags).U16(entries[i][1]).U16(entries[i][2]).U16(0);
    }
    return table.Data();
}

struct Item {
    DWORD style;
    short x, y, cx, cy;
    WORD id;
    WORD classOrdinal;
    std::u16string text;
    WORD textOrdinal; // used when text is empty and this is not 0
};

std::vector<std::uint8_t> Dialog(DWORD style, std::u16string const& caption, short cx, short cy, std::vector<Item> const& items)
{
    Bytes dialog;
    dialog.U32(style).U32(0).U16(static_cast<WORD>(items.size()));
    dialog.U16(22).U16(17).U16(static_cast<WORD>(cx)).U16(static_cast<WORD>(cy));
    dialog.U16(0).U16(0).String(caption);
    dialog.U16(8).String(u"System");
    for (auto const& item : items) {
        dialog.AlignTo(4);
        dialog.U32(item.style).U32(0);
        dialog.U16(static_cast<WORD>(item.x)).U16(static_cast<WORD>(item.y));
        dialog.U16(static_cast<WORD>(item.cx)).U16(static_cast<WORD>(item.cy));
        dialog.U16(item.id).Ordinal(item.classOrdinal);
        if (item.textOrdinal)
            dialog.Ordinal(item.textOrdinal);
        else
            dialog.String(item.text);
        dialog.U16(0);
    }
    return dialog.Data();
}

// A 4-bit 32 x 32 icon: colour 9 (light blue) with a transparent corner.
std::vector<std::uint8_t> IconImage()
{
    Bytes image;
    image.U32(40).U32(32).U32(64).U16(1).U16(4).U32(0).U32(0).U32(0).U32(0).U32(16).U32(0);
    for (int i = 0; i < 16; ++i)
        image.U8(static_cast<std::uint8_t>(i * 16)).U8(0).U8(static_cast<std::uint8_t>(255 - i * 16)).U8(0);
    for (int row = 0; row < 32; ++row) {
        for (int byte = 0; byte < 16; ++byte)
            image.U8(0x99);
    }
    for (int row = 0; row < 32; ++row) {
        // Rows are stored bottom-up: the top rows come last.
        bool const topRow = row >= 24;
        image.U8(topRow ? 0xFF : 0x00).U8(0).U8(0).U8(0);
    }
    return image.Data();
}

std::vector<std::uint8_t> IconGroup(std::uint32_t imageSize)
{
    Bytes group;
    group.U16(0).U16(1).U16(1);
    group.U8(32).U8(32).U8(16).U8(0).U16(1).U16(4).U32(imageSize).U16(1);
    return group.Data();
}

}

void InstallTestResources()
{
    static std::vector<std::uint8_t> const bytes = [] {
        auto const icon = IconImage();
        ResBuilder builder;
        builder.Add(RtMenu, MenuId, EnglishUs, Menu());
        builder.Add(RtAccelerator, ProgramAccelerators, EnglishUs,
            Accelerators({ { 0x12, '/', CommandAbout }, { 0x12, '?', CommandAbout },
                { 0x0B, 'D', CommandAutoDissect }, { 0x0B, 'O', CommandOnlyMap }, { 0x0B, 'R', CommandRender },
                { 0x0B, 'W', CommandAutoDraw } }));
        builder.Add(RtAccelerator, ShiftAccelerators, EnglishUs,
            Accelerators({ { FVIRTKEY | FSHIFT, VK_F5, CommandShiftF5 },
                { FVIRTKEY | FSHIFT | FALT, 'A', CommandAltShiftA }, { 0, '%', CommandShiftChar } }));
        builder.Add(RtDialog, AboutDialogId, EnglishUs,
            Dialog(DS_SETFONT | DS_MODALFRAME | WS_CAPTION | WS_SYSMENU, u"About", 230, 75,
                { { WS_CHILD | WS_VISIBLE | SS_ICON, 14, 9, 16, 16, 2, 0x0082, u"", IconId },
                    { WS_CHILD | WS_VISIBLE | WS_GROUP | SS_NOPREFIX, 49, 10, 119, 8, 0xFFFF, 0x0082, u"Morva Version 1.0", 0 },
                    { WS_CHILD | WS_VISIBLE | WS_GROUP, 49, 20, 119, 8, 0xFFFF, 0x0082, u"Second && line", 0 },
                    { WS_CHILD | WS_VISIBLE | WS_GROUP | WS_TABSTOP | BS_DEFPUSHBUTTON, 195, 6, 30, 11, IDOK, 0x0080,
                        u"OK", 0 } }));
        builder.Add(RtDialog, NoDefaultDialogId, EnglishUs,
            Dialog(DS_SETFONT | DS_MODALFRAME | WS_CAPTION | WS_SYSMENU, u"Plain", 100, 40,
                { { WS_CHILD | WS_VISIBLE | WS_TABSTOP, 5, 5, 40, 14, 11, 0x0080, u"&First", 0 },
                    { WS_CHILD | WS_VISIBLE | WS_TABSTOP, 50, 5, 40, 14, 12, 0x0080, u"&Second", 0 } }));
        builder.Add(RtIcon, 1, EnglishUs, icon);
        builder.Add(RtGroupIcon, IconId, EnglishUs, IconGroup(static_cast<std::uint32_t>(icon.size())));
        return builder.Data();
    }();
    winapi::resources::SetModuleResources(bytes);
}

}
