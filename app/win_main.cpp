#include "app/app_state.h"
#include "app/program_start.h"
#include "app/resource.h"

#include <windows.h>

#include <cstdio>

int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE, LPSTR, int nCmdShow)
{
    RegisterProgram(hInstance);

    if (!CreateStartingGlobe()) {
        // Without memory for the globe there may be none for a message box
        // either; then the message goes to the standard error stream.
        static char const message[] = "There is not enough memory for the globe.";
        if (!MessageBoxA(NULL, message, g_windowTitle, MB_OK | MB_ICONERROR))
            std::fprintf(stderr, "%s: %s\n", g_windowTitle, message);
        return 0;
    }

    if (!OpenMainWindow(hInstance, nCmdShow, 1))
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
