// Drawing on a DC: polygons, pattern fills and single pixels.
#include "bresenham_clip.h"
#include "color_mapping.h"
#include "gdi_objects.h"
#include "line_draw.h"
#include "raster_ops.h"
#include "selection.h"

#include "raster/polygon_scan.h"
#include "raster/span_fill.h"

using namespace winapi::gdi;

namespace {

// Polygon's scratch storage, reused from call to call (GDI is used from
// one thread).
raster::PolygonScanner& Scanner()
{
    static raster::PolygonScanner& scanner = *new raster::PolygonScanner;
    return scanner;
}

raster::ScanClip WholeSurface(winapi::Surface const& surface)
{
    return { 0, 0, surface.Width(), surface.Height() };
}

raster::PixelRows RowsOf(winapi::Surface& surface)
{
    return { surface.Pixels(), surface.Width() };
}

raster::FillRule RuleOf(int polyFillMode)
{
    return polyFillMode == WINDING ? raster::FillRule::Winding : raster::FillRule::Alternate;
}

} // namespace

// The general case: any outline, brush and pen.
void winapi::gdi::DrawPolygon(DeviceContext const& dc, POINT const* points, int count)
{
    winapi::Surface& surface = *dc.surface;
    raster::ScanClip const clip = WholeSurface(surface);
    raster::FillRule const rule = RuleOf(dc.polyFillMode);

    if (dc.brushStyle != BS_NULL) {
        BrushPaint const paint(surface.GetFormat(), dc.brushColor);
        if (paint.IsSolid()) {
            std::uint32_t const pixel = paint.SolidPixel();
            raster::ScanPolygon(Scanner(), points, count, rule, clip,
                [&](int y, int x0, int x1) { raster::FillSpan(surface.Row(y), x0, x1, pixel); });
        } else {
            raster::ScanPolygon(Scanner(), points, count, rule, clip,
                [&](int y, int x0, int x1) { paint.FillSpan(surface, y, x0, x1); });
        }
    }

    // Wide and dashed pens are drawn as one-pixel solid lines.
    if (dc.penStyle != PS_NULL) {
        std::uint32_t const pixel = ForegroundPixel(surface.GetFormat(), dc.penColor, dc.backgroundColor);
        DrawSolidPolyline(surface, points, count, true, pixel, Rop2::CopyPen);
    }
}

BOOL WINAPI Polygon(HDC hdc, const POINT* apt, int cpt)
{
    DeviceContext const* dc = FindDC(hdc);
    if (!dc || !apt || cpt < 2)
        return FALSE;
    // The common cell: a rectangle in a solid colour on a colour surface,
    // without an outline. It fills exactly what the general path would.
    winapi::Surface& surface = *dc->surface;
    if (cpt == 4 && dc->penStyle == PS_NULL && dc->brushStyle == BS_SOLID && (dc->brushColor >> 24) == 0
        && !surface.IsMonochrome() && raster::IsAxisAlignedRectangle(apt, 4)) {
        raster::FillRectangle(RowsOf(surface), WholeSurface(surface), apt[0].x, apt[0].y, apt[2].x, apt[2].y,
            winapi::PixelFromColor(dc->brushColor));
        return TRUE;
    }
    // Without an outline, a polygon whose vertices share one x or one y
    // covers no sample point: no scanline meets two distinct crossings.
    if (dc->penStyle == PS_NULL && raster::IsDegenerateOutline(apt, cpt))
        return TRUE;
    DrawPolygon(*dc, apt, cpt);
    return TRUE;
}

BOOL WINAPI PatBlt(HDC hdc, int x, int y, int w, int h, DWORD rop)
{
    if (RopUsesSource(rop))
        return FALSE;
    DeviceContext const* dc = FindDC(hdc);
    if (!dc)
        return FALSE;
    winapi::Surface& surface = *dc->surface;
    Rect64 area { x, y, std::int64_t { x } + w, std::int64_t { y } + h };
    if (area.left > area.right)
        area = { area.right + 1, area.top, area.left + 1, area.bottom };
    if (area.top > area.bottom)
        area = { area.left, area.bottom + 1, area.right, area.top + 1 };
    area = Intersect(area, { 0, 0, surface.Width(), surface.Height() });
    // Like GDI, a null brush paints nothing, whatever the operation.
    if (area.IsEmpty() || dc->brushStyle == BS_NULL)
        return TRUE;

    BrushPaint const paint(surface.GetFormat(), dc->brushColor);
    Rop2 const rop2 = PatternRop2(rop);
    for (std::int64_t row = area.top; row < area.bottom; ++row) {
        std::uint32_t* pixels = surface.Row(static_cast<int>(row));
        for (std::int64_t column = area.left; column < area.right; ++column) {
            std::uint32_t const pattern = paint.PixelAt(static_cast<int>(column), static_cast<int>(row));
            pixels[column] = ApplyRop2(rop2, pattern, pixels[column]);
        }
    }
    return TRUE;
}

COLORREF WINAPI GetPixel(HDC hdc, int x, int y)
{
    DeviceContext const* dc = FindDC(hdc);
    if (!dc || !dc->surface->Contains(x, y))
        return CLR_INVALID;
    return winapi::ColorFromPixel(dc->surface->PixelAt(x, y));
}

COLORREF WINAPI SetPixel(HDC hdc, int x, int y, COLORREF color)
{
    DeviceContext const* dc = FindDC(hdc);
    if (!dc)
        return CLR_INVALID;
    winapi::Surface& surface = *dc->surface;
    // SetPixel maps the colour without the monochrome background rule, and
    // reports the colour it set even where the point lies outside.
    std::uint32_t const pixel = NearestPixel(surface.GetFormat(), color);
    if (surface.Contains(x, y))
        surface.Row(y)[x] = pixel;
    return winapi::ColorFromPixel(pixel);
}
