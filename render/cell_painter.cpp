#include "render/cell_painter.h"

#include "render/elevation_color.h"

namespace {

unsigned g_failedCellPaints = 0;

bool Selected(HGDIOBJ previous)
{
    return previous && previous != HGDI_ERROR;
}

}

void PaintElevationCell(HDC hdc, POINT const (&corners)[4], float radius, float meanRadius, float maxRadius)
{
    HBRUSH const brush = CreateElevationBrush(radius, meanRadius, maxRadius);
    HBRUSH const previousBrush = static_cast<HBRUSH>(SelectObject(hdc, brush));
    HPEN const pen = CreatePen(PS_NULL, 0, 0);
    HPEN const previousPen = static_cast<HPEN>(SelectObject(hdc, pen));

    BOOL const painted = Polygon(hdc, corners, 4);

    HGDIOBJ const brushBack = SelectObject(hdc, previousBrush);
    DeleteObject(brush);
    HGDIOBJ const penBack = SelectObject(hdc, previousPen);
    DeleteObject(pen);

    // A null brush or pen fails its selection, and a failed selection the
    // one that puts the previous object back.
    if (!painted || !Selected(previousBrush) || !Selected(previousPen) || !Selected(brushBack) || !Selected(penBack))
        ++g_failedCellPaints;
}

unsigned FailedCellPaints()
{
    return g_failedCellPaints;
}
