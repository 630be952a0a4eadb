#include "grower/drawing_check.h"

#ifndef _WIN32
#include "winapi/gdi/out_of_memory.h"
#endif

unsigned FailedDrawingCalls()
{
#ifdef _WIN32
    return 0;
#else
    return winapi::GdiOutOfMemoryCount();
#endif
}
