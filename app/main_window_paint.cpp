#include "app/app_state.h"
#include "app/main_window.h"
#include "app/paint_back_buffer.h"
#include "app/program_constants.h"
#include "render/hemisphere_views.h"
#include "render/map_buffer.h"

#include <windows.h>

#include <cstdio>

namespace {

constexpr int STATUS_HEIGHT = 25;
constexpr int MARGIN = 5;

void DrawStatusLine(HDC hdc, int left, int right)
{
    char status[256];
    int const length = std::snprintf(status, sizeof status, STATUS_FORMAT, GRID_N, GRID_N, g_dissectCount);
    RECT r;
    r.left = left;
    r.top = 0;
    r.right = right;
    r.bottom = STATUS_HEIGHT;
    DrawTextA(hdc, status, length, &r, DT_CENTER);
}

}

void PaintMainWindow(HWND hwnd)
{
    PAINTSTRUCT ps;
    HDC const paintDC = BeginPaint(hwnd, &ps);
    RECT rc;
    GetClientRect(hwnd, &rc);
    HDC const hdc = BeginBackBufferPaint(paintDC, rc, ps.rcPaint);

    int const left = rc.left + MARGIN;
    int const top = rc.top + STATUS_HEIGHT;
    int const right = rc.right - MARGIN;
    int const bottom = rc.bottom - MARGIN;

    if (!g_onlyMap) {
        // Integer halves, truncated toward zero even when the area is
        // narrower or lower than the margins.
        int const midX = left + (right - left) / 2;
        int const midY = top + (bottom - top) / 2;
        if (g_globe) {
            DrawLowerHemisphere(hdc, left, top, midX, midY);
            DrawUpperHemisphere(hdc, midX, top, right, midY);
        }
        DrawMapBuffer(hdc, left, midY, right, bottom);
    } else {
        DrawMapBuffer(hdc, left, top, right, bottom);
    }

    DrawStatusLine(hdc, left, right);
    EndBackBufferPaint(paintDC, hdc, ps.rcPaint);
    EndPaint(hwnd, &ps);
}
