#include "app/app_state.h"
#include "app/main_window.h"
#include "app/resource.h"

#include <windows.h>

ATOM RegisterMainWindowClass(HINSTANCE hInstance)
{
    WNDCLASSEXA wcex;
    wcex.cbSize = sizeof(WNDCLASSEXA);
    wcex.style = CS_HREDRAW | CS_VREDRAW;
    wcex.lpfnWndProc = MainWindowProc;
    wcex.cbClsExtra = 0;
    wcex.cbWndExtra = 0;
    wcex.hInstance = hInstance;
    wcex.hIcon = LoadIconA(hInstance, MAKEINTRESOURCE(RES_ICON_LARGE));
    wcex.hCursor = LoadCursorA(NULL, IDC_ARROW);
    wcex.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wcex.lpszMenuName = MAKEINTRESOURCE(RES_MAIN);
    wcex.lpszClassName = g_windowClassName;
    wcex.hIconSm = LoadIconA(hInstance, MAKEINTRESOURCE(RES_ICON_SMALL));
    return RegisterClassExA(&wcex);
}
