#include "app/program_start.h"

#include "app/app_state.h"
#include "app/main_window.h"
#include "app/program_constants.h"
#include "app/resource.h"

#include <windows.h>

#include <new>

ATOM RegisterProgram(HINSTANCE hInstance)
{
    LoadStringA(hInstance, STR_TITLE, g_windowTitle, WINDOW_TEXT_LENGTH);
    LoadStringA(hInstance, RES_MAIN, g_windowClassName, WINDOW_TEXT_LENGTH);
    return RegisterMainWindowClass(hInstance);
}

bool CreateStartingGlobe()
{
    g_globe = new (std::nothrow) Globe;
    if (!g_globe)
        return false;
    g_globe->Dissect(1);
    return true;
}

BOOL OpenMainWindow(HINSTANCE hInstance, int nCmdShow, int dissectCount)
{
    g_dissectCount = dissectCount;
    g_dissectLimit = DISSECT_LIMIT;
    g_onlyMap = false;
    return CreateMainWindow(hInstance, nCmdShow);
}
