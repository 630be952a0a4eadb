// The order in which GetMessageA and PeekMessageA hand out messages, and
// how timers behave.

#include "user_test_support.h"

#include "winapi/user/message_loop.h"

using namespace user_test;
namespace wt = winapi::testing;

namespace {

class MessageOrderTest : public UserTest { };

MSG Take()
{
    MSG msg {};
    EXPECT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
    return msg;
}

bool QueueIsEmpty()
{
    MSG msg;
    return !PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE);
}

TEST_F(MessageOrderTest, PostedComeBeforePaintAndPaintBeforeTimers)
{
    HWND const hwnd = CreateShownWindow();
    SetTimer(hwnd, 1, 10, nullptr);
    wt::AdvanceClock(50);
    InvalidateRect(hwnd, nullptr, FALSE);
    PostMessageA(hwnd, WM_USER + 1, 11, 22);
    PostMessageA(hwnd, WM_USER + 2, 0, 0);

    MSG first = Take();
    EXPECT_EQ(first.message, static_cast<UINT>(WM_USER + 1));
    EXPECT_EQ(first.wParam, 11u);
    EXPECT_EQ(first.lParam, 22);
    EXPECT_EQ(Take().message, static_cast<UINT>(WM_USER + 2));

    // WM_PAINT stays while the update region does; dispatching validates it.
    MSG paint = Take();
    EXPECT_EQ(paint.message, static_cast<UINT>(WM_PAINT));
    EXPECT_EQ(paint.hwnd, hwnd);
    MSG again {};
    ASSERT_TRUE(PeekMessageA(&again, nullptr, 0, 0, PM_NOREMOVE));
    EXPECT_EQ(again.message, static_cast<UINT>(WM_PAINT));
    DispatchMessageA(&paint);

    MSG timer = Take();
    EXPECT_EQ(timer.message, static_cast<UINT>(WM_TIMER));
    EXPECT_EQ(timer.hwnd, hwnd);
    EXPECT_EQ(timer.wParam, 1u);
    EXPECT_TRUE(QueueIsEmpty());
}

TEST_F(MessageOrderTest, QuitComesAfterPostedMessagesAndBeforeInput)
{
    HWND const hwnd = CreateShownWindow();
    ASSERT_TRUE(wt::PressKey(hwnd, 'A'));
    PostQuitMessage(7);
    PostMessageA(hwnd, WM_USER, 0, 0);

    EXPECT_EQ(Take().message, static_cast<UINT>(WM_USER));
    MSG msg {};
    EXPECT_FALSE(GetMessageA(&msg, nullptr, 0, 0));
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_QUIT));
    EXPECT_EQ(msg.wParam, 7u);
    EXPECT_EQ(Take().message, static_cast<UINT>(WM_KEYDOWN));
}

TEST_F(MessageOrderTest, QuitIsReturnedWhateverTheFilter)
{
    HWND const hwnd = CreateShownWindow();
    PostQuitMessage(3);
    MSG msg {};
    EXPECT_FALSE(GetMessageA(&msg, hwnd, WM_KEYFIRST, WM_KEYLAST));
    EXPECT_EQ(msg.wParam, 3u);
}

TEST_F(MessageOrderTest, FiltersSelectByWindowAndRange)
{
    HWND const first = CreateShownWindow();
    HWND const second = CreateWindowExA(0, TestClassName, "Second", WS_OVERLAPPEDWINDOW, 0, 0, 50, 50, nullptr,
        nullptr, nullptr, nullptr);
    PostMessageA(first, WM_USER + 5, 0, 0);
    PostMessageA(second, WM_USER + 6, 0, 0);
    PostMessageA(first, WM_USER + 7, 0, 0);

    MSG msg {};
    ASSERT_TRUE(PeekMessageA(&msg, second, 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_USER + 6));
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, WM_USER + 7, WM_USER + 7, PM_REMOVE));
    EXPECT_EQ(msg.hwnd, first);
    EXPECT_FALSE(PeekMessageA(&msg, second, 0, 0, PM_REMOVE));
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_USER + 5));
}

TEST_F(MessageOrderTest, TimerMessagesDoNotPileUp)
{
    HWND const hwnd = CreateShownWindow();
    ASSERT_EQ(SetTimer(hwnd, 4, 10, nullptr), 4u);
    EXPECT_TRUE(QueueIsEmpty()); // not due yet

    wt::AdvanceClock(1000); // a hundred periods pass unattended
    EXPECT_EQ(Take().message, static_cast<UINT>(WM_TIMER));
    EXPECT_TRUE(QueueIsEmpty());

    // The next one falls due on the next period boundary, not at once.
    wt::AdvanceClock(9);
    EXPECT_TRUE(QueueIsEmpty());
    wt::AdvanceClock(1);
    EXPECT_EQ(Take().message, static_cast<UINT>(WM_TIMER));
    EXPECT_TRUE(QueueIsEmpty());
}

TEST_F(MessageOrderTest, PeekingATimerWithoutRemovingLeavesItDue)
{
    HWND const hwnd = CreateShownWindow();
    SetTimer(hwnd, 1, 10, nullptr);
    wt::AdvanceClock(10);
    MSG msg {};
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE));
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_TIMER));
    EXPECT_EQ(Take().message, static_cast<UINT>(WM_TIMER));
    EXPECT_TRUE(QueueIsEmpty());
}

TEST_F(MessageOrderTest, ARepaintAskedForByATimerComesBeforeTheNextTimer)
{
    HWND const hwnd = CreateShownWindow();
    // A slow batch: each timer message takes 35 ms and invalidates.
    g_handler = [](HWND window, UINT message, WPARAM, LPARAM) -> std::optional<LRESULT> {
        if (message != WM_TIMER)
            return std::nullopt;
        wt::AdvanceClock(35);
        InvalidateRect(window, nullptr, FALSE);
        return 0;
    };
    SetTimer(hwnd, 1, 10, nullptr);
    g_messages.clear();
    ASSERT_TRUE(wt::PumpUntil([&] { return Count(WM_TIMER) == 3; }));
    std::vector<UINT> order;
    for (auto const& logged : g_messages) {
        if (logged.message == WM_TIMER || logged.message == WM_PAINT)
            order.push_back(logged.message);
    }
    EXPECT_EQ(order, (std::vector<UINT> { WM_TIMER, WM_PAINT, WM_TIMER, WM_PAINT, WM_TIMER }));
}

TEST_F(MessageOrderTest, KillTimerStopsItAndSetTimerRestartsIt)
{
    HWND const hwnd = CreateShownWindow();
    SetTimer(hwnd, 1, 100, nullptr);
    wt::AdvanceClock(60);
    SetTimer(hwnd, 1, 100, nullptr); // restarted: due 100 ms from now
    wt::AdvanceClock(60);
    EXPECT_TRUE(QueueIsEmpty());
    wt::AdvanceClock(40);
    EXPECT_EQ(Take().message, static_cast<UINT>(WM_TIMER));

    EXPECT_TRUE(KillTimer(hwnd, 1));
    EXPECT_FALSE(KillTimer(hwnd, 1));
    wt::AdvanceClock(1000);
    EXPECT_TRUE(QueueIsEmpty());
}

TEST_F(MessageOrderTest, PeriodsBelowTenMillisecondsAreTen)
{
    HWND const hwnd = CreateShownWindow();
    SetTimer(hwnd, 1, 1, nullptr);
    wt::AdvanceClock(9);
    EXPECT_TRUE(QueueIsEmpty());
    wt::AdvanceClock(1);
    EXPECT_EQ(Take().message, static_cast<UINT>(WM_TIMER));
}

int g_timerProcCalls = 0;
UINT_PTR g_timerProcId = 0;

void CALLBACK CountingTimerProc(HWND, UINT message, UINT_PTR id, DWORD)
{
    EXPECT_EQ(message, static_cast<UINT>(WM_TIMER));
    g_timerProcId = id;
    ++g_timerProcCalls;
}

TEST_F(MessageOrderTest, AThreadTimerWithAProcedureCallsItOnDispatch)
{
    g_timerProcCalls = 0;
    UINT_PTR const id = SetTimer(nullptr, 0, 20, CountingTimerProc);
    ASSERT_NE(id, 0u);
    wt::AdvanceClock(20);
    MSG msg = Take();
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_TIMER));
    EXPECT_EQ(msg.hwnd, nullptr);
    DispatchMessageA(&msg);
    EXPECT_EQ(g_timerProcCalls, 1);
    EXPECT_EQ(g_timerProcId, id);

    // Once the timer is gone, a stale message calls nothing.
    KillTimer(nullptr, id);
    DispatchMessageA(&msg);
    EXPECT_EQ(g_timerProcCalls, 1);
}

TEST_F(MessageOrderTest, TimersOfADestroyedWindowAndMessagesToItAreGone)
{
    HWND const hwnd = CreateShownWindow();
    SetTimer(hwnd, 1, 10, nullptr);
    PostMessageA(hwnd, WM_USER, 0, 0);
    DestroyWindow(hwnd);
    wt::AdvanceClock(100);
    EXPECT_TRUE(QueueIsEmpty());
    EXPECT_FALSE(PostMessageA(hwnd, WM_USER, 0, 0));
    EXPECT_EQ(SetTimer(hwnd, 1, 10, nullptr), 0u);
}

TEST_F(MessageOrderTest, GetMessageWaitsForTheNextTimerOnTheRealClock)
{
    wt::UseRealClock();
    HWND const hwnd = CreateShownWindow();
    wt::PumpUntilIdle();
    SetTimer(hwnd, 9, 15, nullptr);
    MSG msg {};
    ASSERT_TRUE(GetMessageA(&msg, nullptr, 0, 0));
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_TIMER));
    EXPECT_EQ(msg.wParam, 9u);
    wt::UseVirtualClock();
}

TEST_F(MessageOrderTest, WaitingForATimerBlocksInsteadOfSpinning)
{
    wt::UseRealClock();
    HWND const hwnd = CreateShownWindow();
    wt::PumpUntilIdle();
    SetTimer(hwnd, 3, 80, nullptr);
    auto const passesBefore = winapi::user::RetrievalPasses();
    MSG msg {};
    ASSERT_TRUE(GetMessageA(&msg, nullptr, 0, 0));
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_TIMER));
    // A busy loop would look thousands of times in 80 ms; a blocking one
    // looks again only when Qt or the timer wakes it.
    EXPECT_LT(winapi::user::RetrievalPasses() - passesBefore, 40u);
    wt::UseVirtualClock();
}

TEST_F(MessageOrderTest, SendMessageCallsTheProcedureAtOnceAndPostingToNoWindowIsAThreadMessage)
{
    HWND const hwnd = CreateShownWindow();
    g_handler = [](HWND, UINT message, WPARAM wParam, LPARAM) -> std::optional<LRESULT> {
        if (message == WM_USER + 3)
            return static_cast<LRESULT>(wParam * 2);
        return std::nullopt;
    };
    EXPECT_EQ(SendMessageA(hwnd, WM_USER + 3, 21, 0), 42);
    EXPECT_EQ(SendMessageA(reinterpret_cast<HWND>(0x1234), WM_USER + 3, 21, 0), 0);

    EXPECT_TRUE(PostMessageA(nullptr, WM_USER + 4, 1, 2));
    MSG msg = Take();
    EXPECT_EQ(msg.hwnd, nullptr);
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_USER + 4));
    g_messages.clear();
    DispatchMessageA(&msg); // goes nowhere
    EXPECT_TRUE(g_messages.empty());
}

}
