#include "app/app_state.h"
#include "app/main_window.h"
#include "app/resource.h"

#include <windows.h>

#include <cstdio>
#include <new>

int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE, LPSTR, int nCmdShow)
{
    LoadStringA(hInstance, STR_TITLE, g_windowTitle, WINDOW_TEXT_LENGTH);
    LoadStringA(hInstance, RES_MAIN, g_windowClassName, WINDOW_TEXT_LENGTH);
    RegisterMainWindowClass(hInstance);

    g_globe = new (std::nothrow) Globe;
    if (!g_globe) {
        // Without memory for the globe there may be none for a message box
        // either; then the message goes to the standard error stream.
        static char const message[] = "There is not enough memory for the globe.";
        if (!MessageBoxA(NULL, message, g_windowTitle, MB_OK | MB_ICONERROR))
            std::fprintf(stderr, "%s: %s\n", g_windowTitle, message);
        return 0;
    }
    g_globe->Dissect(1);

    g_dissectCount = 1;
    g_dissectLimit = 3000;
    g_onlyMap = false;

    if (!CreateMainWindow(hInstance, nCmdShow))
        return 0;

    HACCEL accelerators = LoadAcceleratorsA(hInstance, MAKEINTRESOURCE(RES_MAIN));
    MSG msg;
    while (GetMessageA(&msg, NULL, 0, 0)) {
        if (!TranslateAcceleratorA(msg.hwnd, accelerators, &msg)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
    }
    return static_cast<int>(msg.wParam);
}
