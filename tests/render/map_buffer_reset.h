// Tests that render the map start and end without its buffer.
#pragma once

#include "render/map_buffer.h"

#include <windows.h>

// Deletes the map buffer's memory DC and bitmap, if they exist, and clears
// both handles, so the next render creates them anew.
inline void ReleaseMapBuffer()
{
    if (g_mapDC)
        DeleteDC(g_mapDC);
    if (g_mapBitmap)
        DeleteObject(g_mapBitmap);
    g_mapDC = nullptr;
    g_mapBitmap = nullptr;
}
