#include "app/app_state.h"
#include "app/main_window.h"
#include "app/program_constants.h"
#include "app/resource.h"
#include "render/map_buffer.h"

#include <windows.h>

namespace {

void RunDissectBatch(HWND hwnd)
{
    if (g_dissectCount > g_dissectLimit || !g_autoDissect || !g_globe)
        return;
    g_globe->Dissect(DISSECT_BATCH);
    g_dissectCount += DISSECT_BATCH;
    if (g_autoDraw) {
        RenderMapBuffer(hwnd);
        InvalidateRect(hwnd, NULL, FALSE);
    }
}

// True when the command was one of the program's.
bool RunCommand(HWND hwnd, WORD command)
{
    switch (command) {
    case CMD_ABOUT:
        DialogBoxParamA(g_hInstance, MAKEINTRESOURCE(RES_ABOUT_DIALOG), hwnd, AboutDialogProc, 0);
        return true;
    case CMD_EXIT:
        DestroyWindow(hwnd);
        return true;
    case CMD_RENDER:
        if (g_globe)
            RenderMapBuffer(hwnd);
        InvalidateRect(hwnd, NULL, FALSE);
        return true;
    case CMD_TOGGLE_AUTO_DRAW:
        g_autoDraw = !g_autoDraw;
        return true;
    case CMD_TOGGLE_AUTO_DISSECT:
        g_autoDissect = !g_autoDissect;
        return true;
    case CMD_ONLY_MAP:
        g_onlyMap = !g_onlyMap;
        InvalidateRect(hwnd, NULL, TRUE);
        return true;
    }
    return false;
}

}

LRESULT CALLBACK MainWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_PAINT:
        PaintMainWindow(hwnd);
        return 0;
    case WM_COMMAND:
        if (RunCommand(hwnd, LOWORD(wParam)))
            return 0;
        return DefWindowProcA(hwnd, message, wParam, lParam);
    case WM_TIMER:
        RunDissectBatch(hwnd);
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(hwnd, message, wParam, lParam);
}
