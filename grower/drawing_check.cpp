#include "grower/drawing_check.h"

#include "render/cell_painter.h"

#ifndef _WIN32
#include "winapi/gdi/out_of_memory.h"
#endif

unsigned FailedDrawingCalls()
{
#ifdef _WIN32
    return FailedCellPaints();
#else
    return winapi::GdiOutOfMemoryCount() + FailedCellPaints();
#endif
}
