// A program asked for Qt's offscreen platform (QT_QPA_PLATFORM=offscreen),
// run with no display at all: windows, painting and DrawTextA must work
// there, with the screen size that GetDeviceCaps reports taken from Qt's
// primary screen. Exits with 0 when all holds, 1 with a message otherwise.

#include <windows.h>

#include <QGuiApplication>
#include <QScreen>

#include <cstdio>

namespace {

int g_failures = 0;

void Check(bool condition, char const* what)
{
    if (!condition) {
        std::fprintf(stderr, "headless program: %s\n", what);
        ++g_failures;
    }
}

int g_textPixels = 0;

LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_PAINT) {
        PAINTSTRUCT paint;
        HDC const dc = BeginPaint(hwnd, &paint);
        RECT rect { 0, 0, 300, 25 };
        DrawTextA(dc, "Globe is 75x75 points, 1 dissects", -1, &rect, DT_CENTER);
        for (int y = 0; y < 25; ++y) {
            for (int x = 0; x < 300; ++x)
                g_textPixels += GetPixel(dc, x, y) == RGB(0, 0, 0) ? 1 : 0;
        }
        EndPaint(hwnd, &paint);
        return 0;
    }
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

}

int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE, LPSTR, int nCmdShow)
{
    Check(QGuiApplication::platformName() == QLatin1String("offscreen"), "not on the offscreen platform");

    WNDCLASSEXA windowClass {};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.style = CS_HREDRAW | CS_VREDRAW;
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = hInstance;
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    windowClass.lpszClassName = "Headless";
    Check(RegisterClassExA(&windowClass) != 0, "class not registered");

    HWND const hwnd = CreateWindowExA(0, "Headless", "Headless", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, 0, CW_USEDEFAULT,
        0, nullptr, nullptr, hInstance, nullptr);
    Check(hwnd != nullptr, "no window");
    if (!hwnd)
        return 1;
    ShowWindow(hwnd, nCmdShow);
    UpdateWindow(hwnd);
    Check(g_textPixels > 50, "DrawTextA drew no text");

    QSize const screen = QGuiApplication::primaryScreen()->size();
    HDC const windowDC = GetDC(hwnd);
    HDC const memoryDC = CreateCompatibleDC(windowDC);
    Check(GetDeviceCaps(windowDC, HORZRES) == screen.width(), "window DC: HORZRES is not the screen's width");
    Check(GetDeviceCaps(windowDC, VERTRES) == screen.height(), "window DC: VERTRES is not the screen's height");
    Check(GetDeviceCaps(memoryDC, HORZRES) == screen.width(), "memory DC: HORZRES is not the screen's width");
    Check(GetDeviceCaps(memoryDC, VERTRES) == screen.height(), "memory DC: VERTRES is not the screen's height");
    DeleteDC(memoryDC);
    ReleaseDC(hwnd, windowDC);

    PostMessageA(hwnd, WM_CLOSE, 0, 0);
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    Check(msg.wParam == 0, "the quit code is not 0");
    Check(!IsWindow(hwnd), "the window outlived WM_CLOSE");
    return g_failures == 0 ? 0 : 1;
}
