// Brushes, pens, stock objects, selection and deletion.
#include "fault_points.h"
#include "gdi_objects.h"
#include "selection.h"

#include <windows.h>

#include <cstdint>
#include <cstring>

using namespace winapi::gdi;
using winapi::testing::GdiCreation;

namespace {

HGDIOBJ SelectBitmap(ObjectTable& table, DeviceContext& dc, HGDIOBJ handle)
{
    if (dc.type != DCType::Memory)
        return nullptr;
    if (handle == dc.bitmap)
        return handle;
    Bitmap* bitmap = table.bitmaps.Find(handle);
    if (!bitmap)
        return nullptr;
    // A bitmap can be selected into one DC at a time (the stock default
    // bitmap into any number).
    if (!bitmap->state.stock && bitmap->state.selectCount > 0)
        return nullptr;
    dc.surface = bitmap->surface.get();
    return SwapSelected(table.bitmaps, dc.bitmap, dc.bitmapObject, *bitmap, handle);
}

template<typename Logical>
int CopyOut(Logical const& logical, int size, void* buffer)
{
    if (!buffer)
        return sizeof(Logical);
    if (size < static_cast<int>(sizeof(Logical)))
        return 0;
    std::memcpy(buffer, &logical, sizeof(Logical));
    return sizeof(Logical);
}

// Deletes a selectable object, or marks it for deletion while a DC still
// has it selected. Stock objects are never deleted.
template<typename Pool>
BOOL DeleteSelectable(Pool& pool, HGDIOBJ handle)
{
    auto* object = pool.Find(handle);
    if (!object)
        return FALSE;
    if (object->state.stock)
        return TRUE;
    if (object->state.selectCount > 0) {
        object->state.deletePending = true;
        return TRUE;
    }
    pool.Destroy(handle);
    return TRUE;
}

} // namespace

HBRUSH WINAPI CreateSolidBrush(COLORREF color)
{
    if (CreationShouldFail(winapi::testing::GdiCreation::SolidBrush))
        return nullptr;
    auto created = Objects().brushes.Create();
    if (!created.object)
        return nullptr;
    created.object->style = BS_SOLID;
    created.object->color = color;
    return HandleFromBits<HBRUSH>(created.handle);
}

HPEN WINAPI CreatePen(int iStyle, int cWidth, COLORREF color)
{
    if (CreationShouldFail(winapi::testing::GdiCreation::Pen))
        return nullptr;
    switch (iStyle) {
    case PS_NULL:
        // Every null pen is the stock one.
        return static_cast<HPEN>(Objects().stockObjects[NULL_PEN]);
    case PS_SOLID:
    case PS_DASH:
    case PS_DOT:
    case PS_DASHDOT:
    case PS_DASHDOTDOT:
    case PS_INSIDEFRAME:
        break;
    default:
        return nullptr;
    }
    auto created = Objects().pens.Create();
    if (!created.object)
        return nullptr;
    created.object->style = iStyle;
    created.object->width = cWidth == INT32_MIN ? INT32_MAX : (cWidth < 0 ? -cWidth : cWidth);
    created.object->color = color;
    return HandleFromBits<HPEN>(created.handle);
}

HGDIOBJ WINAPI SelectObject(HDC hdc, HGDIOBJ h)
{
    ObjectTable& table = Objects();
    DeviceContext* dc = table.dcs.Find(hdc);
    if (!dc)
        return nullptr;
    ObjectKind const kind = KindOfHandle(h);
    if (kind == ObjectKind::Brush) {
        Brush* brush = table.brushes.Find(h);
        if (!brush)
            return nullptr;
        dc->brushStyle = brush->style;
        dc->brushColor = brush->color;
        return SwapSelected(table.brushes, dc->brush, dc->brushObject, *brush, h);
    }
    if (kind == ObjectKind::Pen) {
        Pen* pen = table.pens.Find(h);
        if (!pen)
            return nullptr;
        dc->penStyle = pen->style;
        dc->penWidth = pen->width;
        dc->penColor = pen->color;
        return SwapSelected(table.pens, dc->pen, dc->penObject, *pen, h);
    }
    return SelectOther(table, *dc, h);
}

BOOL WINAPI DeleteObject(HGDIOBJ ho)
{
    ObjectTable& table = Objects();
    switch (KindOfHandle(ho)) {
    case ObjectKind::Brush: return DeleteSelectable(table.brushes, ho);
    case ObjectKind::Pen: return DeleteSelectable(table.pens, ho);
    case ObjectKind::Font: return DeleteSelectable(table.fonts, ho);
    case ObjectKind::Bitmap: return DeleteSelectable(table.bitmaps, ho);
    case ObjectKind::DeviceContext: return DeleteDC(static_cast<HDC>(ho));
    }
    return FALSE;
}


HGDIOBJ WINAPI GetStockObject(int i)
{
    if (i < 0 || i > DC_PEN)
        return nullptr;
    ObjectTable* table = ObjectsOrNull();
    return table ? table->stockObjects[i] : nullptr;
}

// Fonts and bitmaps: rarer than brushes and pens.
HGDIOBJ winapi::gdi::SelectOther(ObjectTable& table, DeviceContext& dc, HGDIOBJ h)
{
    switch (KindOfHandle(h)) {
    case ObjectKind::Font: {
        Font* font = table.fonts.Find(h);
        if (!font)
            return nullptr;
        return SwapSelected(table.fonts, dc.font, dc.fontObject, *font, h);
    }
    case ObjectKind::Bitmap:
        return SelectBitmap(table, dc, h);
    case ObjectKind::Brush:
    case ObjectKind::Pen:
    case ObjectKind::DeviceContext:
        break;
    }
    return nullptr;
}

HGDIOBJ WINAPI GetCurrentObject(HDC hdc, UINT type)
{
    DeviceContext const* dc = FindDC(hdc);
    if (!dc)
        return nullptr;
    switch (type) {
    case OBJ_BRUSH: return dc->brush;
    case OBJ_PEN: return dc->pen;
    case OBJ_FONT: return dc->font;
    case OBJ_BITMAP: return dc->bitmap;
    default: return nullptr;
    }
}

DWORD WINAPI GetObjectType(HGDIOBJ h)
{
    ObjectTable& table = Objects();
    switch (KindOfHandle(h)) {
    case ObjectKind::Brush: return table.brushes.Find(h) ? OBJ_BRUSH : 0;
    case ObjectKind::Pen: return table.pens.Find(h) ? OBJ_PEN : 0;
    case ObjectKind::Font: return table.fonts.Find(h) ? OBJ_FONT : 0;
    case ObjectKind::Bitmap: return table.bitmaps.Find(h) ? OBJ_BITMAP : 0;
    case ObjectKind::DeviceContext:
        if (DeviceContext const* dc = table.dcs.Find(h))
            return dc->type == DCType::Memory ? OBJ_MEMDC : OBJ_DC;
        return 0;
    }
    return 0;
}

int WINAPI GetObjectA(HANDLE h, int c, LPVOID pv)
{
    ObjectTable& table = Objects();
    switch (KindOfHandle(h)) {
    case ObjectKind::Brush:
        if (Brush const* brush = table.brushes.Find(h))
            return CopyOut(LOGBRUSH { brush->style, brush->color, 0 }, c, pv);
        return 0;
    case ObjectKind::Pen:
        if (Pen const* pen = table.pens.Find(h))
            return CopyOut(LOGPEN { static_cast<UINT>(pen->style), { pen->width, 0 }, pen->color }, c, pv);
        return 0;
    case ObjectKind::Bitmap:
        if (Bitmap const* bitmap = table.bitmaps.Find(h)) {
            winapi::Surface const& surface = *bitmap->surface;
            WORD const bitsPerPixel = surface.IsMonochrome() ? 1 : 32;
            BITMAP info {};
            info.bmType = 0;
            info.bmWidth = surface.Width();
            info.bmHeight = surface.Height();
            info.bmWidthBytes = static_cast<LONG>(((std::int64_t { surface.Width() } * bitsPerPixel + 15) >> 3) & ~1);
            info.bmPlanes = 1;
            info.bmBitsPixel = bitsPerPixel;
            info.bmBits = nullptr;
            return CopyOut(info, c, pv);
        }
        return 0;
    case ObjectKind::Font:
    case ObjectKind::DeviceContext:
        return 0;
    }
    return 0;
}

DWORD WINAPI GetGuiResources(HANDLE hProcess, DWORD uiFlags)
{
    if (hProcess != GetCurrentProcess() || uiFlags != GR_GDIOBJECTS)
        return 0;
    return Objects().LiveObjectCount();
}
