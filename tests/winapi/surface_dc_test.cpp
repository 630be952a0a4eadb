// The internal interface USER draws windows through: surfaces, DCs on them,
// the window DC provider and the headless display.
#include "gdi_test_support.h"

#include <gtest/gtest.h>

#include <map>

using gdi_test::LiveObjects;

TEST(Surface, ResizeClearsAndRefusesImpossibleSizes)
{
    winapi::Surface surface;
    EXPECT_EQ(surface.Width(), 0);
    ASSERT_TRUE(surface.Resize(3, 2));
    surface.Row(1)[2] = 0x123456;
    ASSERT_TRUE(surface.Resize(4, 4));
    EXPECT_EQ(surface.PixelAt(2, 1), 0u);
    EXPECT_TRUE(surface.Resize(-5, 7));
    EXPECT_EQ(surface.Width(), 0);
    EXPECT_EQ(surface.Height(), 0);
    EXPECT_FALSE(surface.Resize(1 << 15, 1 << 14)); // beyond MaxPixels
    EXPECT_EQ(surface.Width(), 0);
    EXPECT_EQ(surface.Pixels(), nullptr);
}

TEST(SurfaceDC, DrawsOnTheWindowsSurface)
{
    winapi::Surface surface;
    ASSERT_TRUE(surface.Resize(6, 4));
    DWORD const before = LiveObjects();
    HDC dc = winapi::CreateSurfaceDC(&surface);
    ASSERT_NE(dc, nullptr);
    EXPECT_EQ(LiveObjects(), before + 1);
    EXPECT_EQ(GetObjectType(dc), DWORD(OBJ_DC));
    EXPECT_EQ(winapi::GetDCSurface(dc), &surface);

    {
        gdi_test::SolidFill fill(dc, RGB(0x12, 0x34, 0x56));
        POINT const cell[4] { { 1, 1 }, { 3, 1 }, { 3, 2 }, { 1, 2 } };
        ASSERT_TRUE(Polygon(dc, cell, 4));
    }
    EXPECT_EQ(surface.PixelAt(1, 1), 0x123456u);
    EXPECT_EQ(surface.PixelAt(2, 1), 0x123456u);
    EXPECT_EQ(surface.PixelAt(3, 1), 0u);

    // The window may resize its surface under a live DC.
    ASSERT_TRUE(surface.Resize(2, 2));
    EXPECT_EQ(GetPixel(dc, 3, 3), CLR_INVALID);
    EXPECT_EQ(SetPixel(dc, 1, 1, RGB(255, 0, 0)), RGB(255, 0, 0));
    EXPECT_EQ(surface.PixelAt(1, 1), 0xFF0000u);

    EXPECT_FALSE(DeleteDC(dc)); // released by its owner, not deleted
    EXPECT_TRUE(winapi::DeleteSurfaceDC(dc));
    EXPECT_FALSE(winapi::DeleteSurfaceDC(dc));
    EXPECT_EQ(LiveObjects(), before);
    EXPECT_EQ(winapi::CreateSurfaceDC(nullptr), nullptr);

    HDC memory = CreateCompatibleDC(nullptr);
    EXPECT_FALSE(winapi::DeleteSurfaceDC(memory));
    DeleteDC(memory);
}

TEST(SurfaceDC, TextStateForDrawText)
{
    winapi::Surface surface;
    surface.Resize(1, 1);
    HDC dc = winapi::CreateSurfaceDC(&surface);
    winapi::DCTextState state {};
    ASSERT_TRUE(winapi::GetDCTextState(dc, &state));
    EXPECT_EQ(state.textColor, RGB(0, 0, 0));
    EXPECT_EQ(state.backgroundColor, RGB(255, 255, 255));
    EXPECT_EQ(state.backgroundMode, OPAQUE);
    EXPECT_EQ(state.font, GetStockObject(SYSTEM_FONT));
    EXPECT_EQ(state.stockFont, SYSTEM_FONT);

    SetTextColor(dc, RGB(1, 2, 3));
    SetBkColor(dc, RGB(4, 5, 6));
    SetBkMode(dc, TRANSPARENT);
    SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
    ASSERT_TRUE(winapi::GetDCTextState(dc, &state));
    EXPECT_EQ(state.textColor, RGB(1, 2, 3));
    EXPECT_EQ(state.backgroundColor, RGB(4, 5, 6));
    EXPECT_EQ(state.backgroundMode, TRANSPARENT);
    EXPECT_EQ(state.stockFont, DEFAULT_GUI_FONT);

    EXPECT_FALSE(winapi::GetDCTextState(dc, nullptr));
    winapi::DeleteSurfaceDC(dc);
    EXPECT_FALSE(winapi::GetDCTextState(dc, &state));
    EXPECT_EQ(winapi::GetDCSurface(dc), nullptr);
}

namespace {

// A stand-in for USER: two windows, each with a client surface.
std::map<HWND, winapi::Surface*> g_windows;
int g_released = 0;

HDC TestGetDC(HWND hwnd)
{
    auto found = g_windows.find(hwnd);
    return found == g_windows.end() ? nullptr : winapi::CreateSurfaceDC(found->second);
}

int TestReleaseDC(HWND hwnd, HDC hdc)
{
    if (!g_windows.count(hwnd) || !winapi::DeleteSurfaceDC(hdc))
        return 0;
    ++g_released;
    return 1;
}

} // namespace

TEST(WindowDCProvider, AnswersGetDCAndReleaseDCForWindows)
{
    HWND const window = reinterpret_cast<HWND>(std::uintptr_t { 0x1000 });
    HWND const unknown = reinterpret_cast<HWND>(std::uintptr_t { 0x2000 });
    EXPECT_EQ(GetDC(window), nullptr); // no provider yet
    EXPECT_EQ(ReleaseDC(window, nullptr), 0);

    winapi::Surface client;
    client.Resize(10, 10);
    g_windows[window] = &client;
    winapi::WindowDCProvider const provider { TestGetDC, TestReleaseDC };
    winapi::SetWindowDCProvider(&provider);

    HDC dc = GetDC(window);
    ASSERT_NE(dc, nullptr);
    EXPECT_EQ(winapi::GetDCSurface(dc), &client);
    EXPECT_EQ(GetDeviceCaps(dc, HORZRES), winapi::GetDisplaySize().cx);
    EXPECT_EQ(GetDC(unknown), nullptr);
    EXPECT_EQ(ReleaseDC(nullptr, dc), 0); // not a display DC
    EXPECT_EQ(ReleaseDC(window, dc), 1);
    EXPECT_EQ(g_released, 1);

    // GetDC(NULL) stays with GDI: a DC on the headless display.
    HDC screen = GetDC(nullptr);
    ASSERT_NE(screen, nullptr);
    EXPECT_EQ(GetObjectType(screen), DWORD(OBJ_DC));
    EXPECT_EQ(winapi::GetDCSurface(screen)->Width(), winapi::GetDisplaySize().cx);
    EXPECT_FALSE(DeleteDC(screen));
    EXPECT_EQ(ReleaseDC(nullptr, screen), 1);

    winapi::SetWindowDCProvider(nullptr);
    EXPECT_EQ(GetDC(window), nullptr);
    g_windows.clear();
}
