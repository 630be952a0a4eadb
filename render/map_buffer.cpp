#include "render/map_buffer.h"

#include "render/float_conversion.h"
#include "render/map_view.h"
#include "render/screen_bitmap.h"

#include <cstdint>

HDC g_mapDC = nullptr;
HBITMAP g_mapBitmap = nullptr;

namespace {

// Makes a memory DC and a display-sized colour bitmap (a 32-bit DIB section
// on Windows, whose pixels the map is drawn into directly), selects the
// bitmap and clears it to black. All or nothing: when either
// creation fails, whatever was made is released again and the globals stay
// null, so the next render starts afresh.
// Not a MemoryCanvas: the buffer lives as long as the program and follows
// its own sequence of calls (the window's DC as the reference, the display's
// size, the initial bitmap never selected back); only the bitmap is shared.
void CreateMapBuffer(HWND hwnd)
{
    HDC const windowDC = GetDC(hwnd);
    HDC const memoryDC = CreateCompatibleDC(windowDC);
    int const width = GetDeviceCaps(windowDC, HORZRES);
    int const height = GetDeviceCaps(windowDC, VERTRES);
    HBITMAP const bitmap = CreateScreenBitmap(windowDC, width, height);

    if (memoryDC && bitmap) {
        // The memory DC's initial bitmap is not kept; the DC is never deleted.
        SelectObject(memoryDC, bitmap);
        PatBlt(memoryDC, 0, 0, width, height, BLACKNESS);
    }
    ReleaseDC(hwnd, windowDC);

    if (!memoryDC || !bitmap) {
        if (bitmap)
            DeleteObject(bitmap);
        if (memoryDC)
            DeleteDC(memoryDC);
        return;
    }
    g_mapDC = memoryDC;
    g_mapBitmap = bitmap;
}

}

void RenderMapBuffer(HWND hwnd)
{
    if (!g_mapDC || !g_mapBitmap)
        CreateMapBuffer(hwnd);
    if (!g_mapDC)
        return;
    // The extent is read from the buffer's DC on every render.
    DrawMap(g_mapDC, 0, 0, GetDeviceCaps(g_mapDC, HORZRES), GetDeviceCaps(g_mapDC, VERTRES));
}

void DrawMapBuffer(HDC hdc, int left, int top, int right, int bottom)
{
    if (!g_mapDC || !g_mapBitmap)
        return;
    int const width = SaturateToInt(static_cast<std::int64_t>(right) - left);
    int const height = SaturateToInt(static_cast<std::int64_t>(bottom) - top);

    int const previousMode = SetStretchBltMode(hdc, COLORONCOLOR);
    StretchBlt(hdc, left, top, width, height, g_mapDC, 0, 0, GetDeviceCaps(g_mapDC, HORZRES),
        GetDeviceCaps(g_mapDC, VERTRES), SRCCOPY);
    if (previousMode != 0)
        SetStretchBltMode(hdc, previousMode);
}
