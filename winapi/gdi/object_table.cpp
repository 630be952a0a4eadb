#include "gdi_objects.h"
#include "out_of_memory.h"

#include <new>

namespace winapi::gdi {

namespace {

template<typename Pool>
HGDIOBJ MakeStock(ObjectTable& table, Pool& pool, auto const& setUp)
{
    auto created = pool.Create();
    if (!created.object)
        throw std::bad_alloc();
    created.object->state.stock = true;
    setUp(*created.object);
    ++table.stockCount;
    return HandleFromBits<HGDIOBJ>(created.handle);
}

void MakeStockObjects(ObjectTable& table)
{
    auto solidBrush = [&](COLORREF color) {
        return MakeStock(table, table.brushes, [&](Brush& brush) {
            brush.style = BS_SOLID;
            brush.color = color;
        });
    };
    auto pen = [&](int style, COLORREF color) {
        return MakeStock(table, table.pens, [&](Pen& pen) {
            pen.style = style;
            pen.color = color;
        });
    };
    auto font = [&](int index) {
        return MakeStock(table, table.fonts, [&](Font& font) { font.stockIndex = index; });
    };

    HGDIOBJ* stock = table.stockObjects;
    stock[WHITE_BRUSH] = solidBrush(RGB(255, 255, 255));
    stock[LTGRAY_BRUSH] = solidBrush(RGB(192, 192, 192));
    stock[GRAY_BRUSH] = solidBrush(RGB(128, 128, 128));
    stock[DKGRAY_BRUSH] = solidBrush(RGB(64, 64, 64));
    stock[BLACK_BRUSH] = solidBrush(RGB(0, 0, 0));
    stock[NULL_BRUSH] = MakeStock(table, table.brushes, [](Brush& brush) { brush.style = BS_NULL; });
    stock[WHITE_PEN] = pen(PS_SOLID, RGB(255, 255, 255));
    stock[BLACK_PEN] = pen(PS_SOLID, RGB(0, 0, 0));
    stock[NULL_PEN] = pen(PS_NULL, RGB(0, 0, 0));
    for (int index : { OEM_FIXED_FONT, ANSI_FIXED_FONT, ANSI_VAR_FONT, SYSTEM_FONT, DEVICE_DEFAULT_FONT,
             SYSTEM_FIXED_FONT, DEFAULT_GUI_FONT })
        stock[index] = font(index);
    // The DC brush and pen keep their default colours: SetDCBrushColor and
    // SetDCPenColor are not part of this subset.
    stock[DC_BRUSH] = solidBrush(RGB(255, 255, 255));
    stock[DC_PEN] = pen(PS_SOLID, RGB(0, 0, 0));

    table.defaultBitmap = static_cast<HBITMAP>(MakeStock(table, table.bitmaps, [](Bitmap& bitmap) {
        bitmap.surface = std::make_unique<Surface>(Surface::Format::Monochrome);
        bitmap.surface->Resize(1, 1);
    }));
}

} // namespace

alignas(ObjectTable) unsigned char g_objectStorage[sizeof(ObjectTable)];
bool g_objectsMade = false;

ObjectTable& CreateObjects()
{
    auto* table = new (g_objectStorage) ObjectTable;
    try {
        MakeStockObjects(*table);
    } catch (std::bad_alloc const&) {
        // Nothing half-made stays: the next call tries again from scratch.
        table->~ObjectTable();
        throw;
    }
    g_objectsMade = true;
    return *table;
}

ObjectTable* ObjectsOrNull()
{
    try {
        return &Objects();
    } catch (std::bad_alloc const&) {
        NoteOutOfMemory();
        return nullptr;
    }
}

HDC CreateDC(DCType type, Surface* surface)
try {
    ObjectTable& table = Objects();
    auto created = table.dcs.Create();
    if (!created.object)
        return nullptr;
    DeviceContext& dc = *created.object;
    dc.type = type;
    dc.surface = surface;
    dc.brush = static_cast<HBRUSH>(table.stockObjects[WHITE_BRUSH]);
    dc.pen = static_cast<HPEN>(table.stockObjects[BLACK_PEN]);
    dc.font = static_cast<HFONT>(table.stockObjects[SYSTEM_FONT]);
    dc.brushObject = table.brushes.Find(dc.brush);
    dc.penObject = table.pens.Find(dc.pen);
    dc.fontObject = table.fonts.Find(dc.font);
    RetainSelected(*dc.brushObject);
    RetainSelected(*dc.penObject);
    RetainSelected(*dc.fontObject);
    if (type == DCType::Memory) {
        dc.bitmap = table.defaultBitmap;
        dc.bitmapObject = table.bitmaps.Find(dc.bitmap);
        dc.surface = dc.bitmapObject->surface.get();
        RetainSelected(*dc.bitmapObject);
    }
    return HandleFromBits<HDC>(created.handle);
}
catch (std::bad_alloc const&) {
    NoteOutOfMemory();
    return nullptr;
}

void DestroyDC(HDC hdc)
{
    ObjectTable& table = Objects();
    DeviceContext const dc = *table.dcs.Find(hdc);
    table.dcs.Destroy(hdc);
    ReleaseSelected(table.brushes, dc.brushObject, dc.brush);
    ReleaseSelected(table.pens, dc.penObject, dc.pen);
    ReleaseSelected(table.fonts, dc.fontObject, dc.font);
    ReleaseSelected(table.bitmaps, dc.bitmapObject, dc.bitmap);
}

} // namespace winapi::gdi
