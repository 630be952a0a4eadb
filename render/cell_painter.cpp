#include "render/cell_painter.h"

#include "render/elevation_color.h"

void PaintElevationCell(HDC hdc, POINT const (&corners)[4], float radius, float meanRadius, float maxRadius)
{
    HBRUSH const brush = CreateElevationBrush(radius, meanRadius, maxRadius);
    HBRUSH const previousBrush = static_cast<HBRUSH>(SelectObject(hdc, brush));
    HPEN const pen = CreatePen(PS_NULL, 0, 0);
    HPEN const previousPen = static_cast<HPEN>(SelectObject(hdc, pen));

    Polygon(hdc, corners, 4);

    SelectObject(hdc, previousBrush);
    DeleteObject(brush);
    SelectObject(hdc, previousPen);
    DeleteObject(pen);
}
