// Running windows headless (winapi/user/headless.h): the start, with time
// standing still and the display's size, and pumping and reading a window.

#include "user_test_support.h"

#include "winapi/gdi/surface.h"
#include "winapi/user/headless.h"

#include <chrono>
#include <thread>

using namespace user_test;
namespace wt = winapi::testing;

namespace {

class HeadlessTest : public UserTest {
protected:
    void SetUp() override
    {
        UserTest::SetUp();
        HDC const screen = GetDC(nullptr);
        m_display = { GetDeviceCaps(screen, HORZRES), GetDeviceCaps(screen, VERTRES) };
        ReleaseDC(nullptr, screen);
    }

    void TearDown() override
    {
        winapi::SetDisplaySize(m_display.cx, m_display.cy);
        wt::UseVirtualClock();
        UserTest::TearDown();
    }

private:
    SIZE m_display {};
};

}

TEST_F(HeadlessTest, StartStopsTheClockSoNoTimerFires)
{
    wt::UseRealClock();
    winapi::headless::Start(640, 360);
    HWND const hwnd = CreateShownWindow();
    DWORD const started = wt::CurrentTime();
    ASSERT_NE(SetTimer(hwnd, 1, 1, nullptr), 0u);
    std::this_thread::sleep_for(std::chrono::milliseconds(30));
    winapi::headless::DispatchPending();
    EXPECT_EQ(wt::CurrentTime(), started);
    EXPECT_EQ(Count(WM_TIMER), 0u);
}

TEST_F(HeadlessTest, StartGivesGdiTheDisplaySize)
{
    winapi::headless::Start(641, 359);
    HDC const screen = GetDC(nullptr);
    EXPECT_EQ(GetDeviceCaps(screen, HORZRES), 641);
    EXPECT_EQ(GetDeviceCaps(screen, VERTRES), 359);
    ReleaseDC(nullptr, screen);
}

TEST_F(HeadlessTest, ResizedWindowIsErasedAndReadBack)
{
    HWND const hwnd = CreateShownWindow(200, 100);
    ASSERT_EQ(winapi::headless::TopLevelWindows(), std::vector<HWND> { hwnd });
    ASSERT_TRUE(winapi::headless::ResizeClient(hwnd, 123, 45));
    g_messages.clear();
    EXPECT_GT(winapi::headless::DispatchPending(), 0);
    EXPECT_EQ(Count(WM_SIZE), 1u);
    EXPECT_EQ(Count(WM_PAINT), 1u);
    auto const pixels = winapi::headless::ClientPixels(hwnd);
    ASSERT_EQ(pixels.width, 123);
    ASSERT_EQ(pixels.height, 45);
    ASSERT_EQ(pixels.pixels.size(), 123u * 45u);
    EXPECT_EQ(pixels.At(0, 0), White);
    EXPECT_EQ(pixels.At(122, 44), White);
    EXPECT_FALSE(winapi::headless::ResizeClient(nullptr, 10, 10));
    EXPECT_EQ(winapi::headless::ClientPixels(nullptr).pixels.size(), 0u);
}

TEST_F(HeadlessTest, DispatchPendingLeavesTheQuitQueued)
{
    HWND const hwnd = CreateShownWindow();
    winapi::headless::DispatchPending();
    PostMessageA(hwnd, WM_USER, 0, 0);
    PostQuitMessage(7);
    PostMessageA(hwnd, WM_USER + 1, 0, 0);
    EXPECT_EQ(winapi::headless::DispatchPending(), 2);
    MSG msg {};
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_QUIT));
    EXPECT_EQ(msg.wParam, 7u);
}

TEST_F(HeadlessTest, CloseWindowsEndsThemWithoutMessages)
{
    HWND const hwnd = CreateShownWindow();
    SetTimer(hwnd, 1, 10, nullptr);
    g_messages.clear();
    winapi::headless::CloseWindows();
    EXPECT_TRUE(winapi::headless::TopLevelWindows().empty());
    EXPECT_TRUE(g_messages.empty());
    EXPECT_FALSE(IsWindow(hwnd));
}
