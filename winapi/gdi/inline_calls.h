// The GDI calls a drawing makes once for every cell: a solid brush created,
// selected, deselected and deleted, the null pen likewise, and a four-vertex
// polygon. A full-screen map makes a million of each, so they are defined
// here, inline, where the common case compiles into the caller's loop; the
// rarer cases (fonts and bitmaps, general polygons, outlines) stay out of
// line. <windows.h> includes this header after all the declarations.
#pragma once

#include "fault_points.h"
#include "gdi_objects.h"
#include "polygon_scan.h"
#include "span_fill.h"

namespace winapi::gdi {

// SelectObject for fonts and bitmaps, and for handles of no selectable kind.
HGDIOBJ SelectOther(ObjectTable& table, DeviceContext& dc, HGDIOBJ handle);

// Polygon for every case but the solid, outline-free rectangle.
void DrawPolygon(DeviceContext const& dc, POINT const* points, int count);

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

} // namespace winapi::gdi

[[gnu::always_inline]] inline HBRUSH WINAPI CreateSolidBrush(COLORREF color)
{
    using namespace winapi::gdi;
    if (CreationShouldFail(winapi::testing::GdiCreation::SolidBrush))
        return nullptr;
    auto created = Objects().brushes.Create();
    if (!created.object)
        return nullptr;
    created.object->style = BS_SOLID;
    created.object->color = color;
    return HandleFromBits<HBRUSH>(created.handle);
}

[[gnu::always_inline]] inline HPEN WINAPI CreatePen(int iStyle, int cWidth, COLORREF color)
{
    using namespace winapi::gdi;
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

[[gnu::always_inline]] inline HGDIOBJ WINAPI SelectObject(HDC hdc, HGDIOBJ h)
{
    using namespace winapi::gdi;
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

[[gnu::always_inline]] inline BOOL WINAPI DeleteObject(HGDIOBJ ho)
{
    using namespace winapi::gdi;
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

[[gnu::always_inline]] inline BOOL WINAPI Polygon(HDC hdc, const POINT* apt, int cpt)
{
    using namespace winapi::gdi;
    DeviceContext const* dc = FindDC(hdc);
    if (!dc || !apt || cpt < 2)
        return FALSE;
    // The common cell: a rectangle in a solid colour on a colour surface,
    // without an outline. It fills exactly what the general path would.
    winapi::Surface& surface = *dc->surface;
    if (cpt == 4 && dc->penStyle == PS_NULL && dc->brushStyle == BS_SOLID && (dc->brushColor >> 24) == 0
        && !surface.IsMonochrome() && IsAxisAlignedRectangle(apt, 4)) {
        FillRectangle(surface.Pixels(), surface.Width(), surface.Height(), apt[0].x, apt[0].y, apt[2].x, apt[2].y,
            winapi::PixelFromColor(dc->brushColor));
        return TRUE;
    }
    // Without an outline, a polygon whose vertices share one x or one y
    // covers no sample point: no scanline meets two distinct crossings.
    if (dc->penStyle == PS_NULL && IsDegenerateOutline(apt, cpt))
        return TRUE;
    DrawPolygon(*dc, apt, cpt);
    return TRUE;
}
