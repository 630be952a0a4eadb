// On real GDI: the window's paint through its DIB section back buffer, with
// the views and the map drawn straight into pixels, against the same layout
// drawn cell by cell through GDI over the erased background, pixel for pixel,
// with both views and with the map alone.
#include "app/app_state.h"
#include "app/main_window.h"
#include "globe/planet.h"
#include "globe/random.h"
#include "render/hemisphere_views.h"
#include "render/map_buffer.h"
#include "render/memory_canvas.h"
#include "render/pixel_target.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <vector>

namespace {

constexpr int WIDTH = 401;
constexpr int HEIGHT = 303;

LRESULT CALLBACK PaintingProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_PAINT) {
        PaintMainWindow(hwnd);
        return 0;
    }
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

// What PaintMainWindow should leave, drawn through GDI cell by cell.
std::vector<std::uint32_t> ReferencePaint()
{
    MemoryCanvas canvas(WIDTH, HEIGHT);
    HBRUSH const background = GetSysColorBrush(COLOR_WINDOW);
    RECT const all { 0, 0, WIDTH, HEIGHT };
    FillRect(canvas.DC(), &all, background);
    int const left = 5, top = 25, right = WIDTH - 5, bottom = HEIGHT - 5;
    AllowDirectPixels(false);
    if (!g_onlyMap) {
        int const midX = left + (right - left) / 2;
        int const midY = top + (bottom - top) / 2;
        DrawLowerHemisphere(canvas.DC(), left, top, midX, midY);
        DrawUpperHemisphere(canvas.DC(), midX, top, right, midY);
        DrawMapBuffer(canvas.DC(), left, midY, right, bottom);
    } else {
        DrawMapBuffer(canvas.DC(), left, top, right, bottom);
    }
    AllowDirectPixels(true);
    char status[64];
    int const length = std::snprintf(status, sizeof status, "Globe is %dx%d points, %d dissects", GRID_N, GRID_N,
        g_dissectCount);
    RECT strip { left, 0, right, 25 };
    DrawTextA(canvas.DC(), status, length, &strip, DT_CENTER);
    return canvas.Pixels();
}

std::vector<std::uint32_t> WindowPixels(HWND hwnd)
{
    MemoryCanvas canvas(WIDTH, HEIGHT);
    HDC const window = GetDC(hwnd);
    BitBlt(canvas.DC(), 0, 0, WIDTH, HEIGHT, window, 0, 0, SRCCOPY);
    ReleaseDC(hwnd, window);
    return canvas.Pixels();
}

class WindowPaintOnRealGdi : public ::testing::TestWithParam<bool> {
protected:
    static void SetUpTestSuite()
    {
        g_random = RandomGenerator(4242, 17, false);
        g_globe = new Globe;
        g_globe->Dissect(151);
        g_dissectCount = 151;
        WNDCLASSA windowClass {};
        windowClass.lpfnWndProc = PaintingProc;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
        windowClass.lpszClassName = "MorvaPaintTest";
        RegisterClassA(&windowClass);
    }
};

}

TEST_P(WindowPaintOnRealGdi, EqualsTheCellByCellPaint)
{
    g_onlyMap = GetParam();
    HWND const hwnd = CreateWindowExA(WS_EX_TOPMOST, "MorvaPaintTest", "", WS_POPUP, 0, 0, WIDTH, HEIGHT, nullptr,
        nullptr, GetModuleHandleA(nullptr), nullptr);
    ASSERT_TRUE(hwnd);
    ShowWindow(hwnd, SW_SHOWNORMAL);
    RenderMapBuffer(hwnd);
    // Painted twice: over the erased background, then over itself.
    for (BOOL erase : { TRUE, FALSE }) {
        InvalidateRect(hwnd, nullptr, erase);
        UpdateWindow(hwnd);
        GdiFlush();
        std::vector<std::uint32_t> const shown = WindowPixels(hwnd);
        // The map buffer as the cell-by-cell drawing renders it.
        AllowDirectPixels(false);
        RenderMapBuffer(hwnd);
        AllowDirectPixels(true);
        std::vector<std::uint32_t> const reference = ReferencePaint();
        RenderMapBuffer(hwnd);
        std::size_t differences = 0;
        std::size_t first = 0;
        for (std::size_t i = 0; i < shown.size(); ++i) {
            if (shown[i] != reference[i] && differences++ == 0)
                first = i;
        }
        EXPECT_EQ(differences, 0u) << "first at (" << first % WIDTH << ", " << first / WIDTH << "): shown "
                                   << std::hex << shown[first] << ", cell by cell " << reference[first];
    }
    DestroyWindow(hwnd);
}

INSTANTIATE_TEST_SUITE_P(Layouts, WindowPaintOnRealGdi, ::testing::Values(false, true),
    [](auto const& info) { return info.param ? "MapOnly" : "BothViews"; });
