#include "app/app_state.h"
#include "app/main_window.h"
#include "app/program_constants.h"

#include <windows.h>

BOOL CreateMainWindow(HINSTANCE hInstance, int nCmdShow)
{
    g_hInstance = hInstance;
    HWND hwnd = CreateWindowExA(0, g_windowClassName, g_windowTitle, WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, 0,
        CW_USEDEFAULT, 0, NULL, NULL, hInstance, NULL);
    if (!hwnd)
        return 0;

    // The first paint happens here, before the timer runs: one pass, no map.
    ShowWindow(hwnd, nCmdShow);
    UpdateWindow(hwnd);

    SetTimer(hwnd, DISSECT_TIMER, DISSECT_PERIOD_MS, NULL);
    g_autoDissect = true;
    g_autoDraw = true;
    return 1;
}
