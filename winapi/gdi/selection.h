// What the object and drawing calls share inside our GDI.
#pragma once

#include "gdi_objects.h"

namespace winapi::gdi {

// SelectObject for fonts and bitmaps, and for handles of no selectable kind.
HGDIOBJ SelectOther(ObjectTable& table, DeviceContext& dc, HGDIOBJ handle);

// Polygon for every case but the solid, outline-free rectangle.
void DrawPolygon(DeviceContext const& dc, POINT const* points, int count);

} // namespace winapi::gdi
