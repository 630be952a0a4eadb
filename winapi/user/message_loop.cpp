#include "winapi/user/message_loop.h"

#include "winapi/user/clock.h"
#include "winapi/user/key_state.h"
#include "winapi/user/message_queue.h"
#include "winapi/user/qt_application.h"
#include "winapi/user/timers.h"
#include "winapi/user/window.h"
#include "winapi/user/window_geometry.h"

#include <limits>

namespace winapi::user {

namespace {

TakenKeyMessage g_lastKeyMessage;
std::uint64_t g_retrievalPasses = 0;
std::function<void()> g_idleHook;
bool g_idleHookRunning = false;

HWND const ThreadMessagesOnly = reinterpret_cast<HWND>(static_cast<LONG_PTR>(-1));

bool WindowPasses(HWND hwnd, MessageFilter const& filter)
{
    if (!filter.window)
        return true;
    if (filter.window == ThreadMessagesOnly)
        return hwnd == nullptr;
    return hwnd && IsSameOrDescendant(hwnd, filter.window);
}

bool MessagePasses(UINT message, MessageFilter const& filter)
{
    if (filter.first > filter.last)
        return true;
    return message >= filter.first && message <= filter.last;
}

bool IsKeyMessage(UINT message)
{
    return message == WM_KEYDOWN || message == WM_KEYUP || message == WM_SYSKEYDOWN || message == WM_SYSKEYUP;
}

std::optional<QueuedMessage> TakeFrom(std::deque<QueuedMessage>& queue, MessageFilter const& filter, bool remove)
{
    for (auto it = queue.begin(); it != queue.end(); ++it) {
        if (!WindowPasses(it->msg.hwnd, filter) || !MessagePasses(it->msg.message, filter))
            continue;
        QueuedMessage found = *it;
        if (remove)
            queue.erase(it);
        return found;
    }
    return std::nullopt;
}

HWND WindowToPaint(MessageFilter const& filter)
{
    if (!MessagePasses(WM_PAINT, filter))
        return nullptr;
    for (HWND hwnd : Windows().Handles()) {
        auto const* window = FindWindow(hwnd);
        if (window->visible && !window->destroying && !window->updateRegion.isEmpty() && WindowPasses(hwnd, filter))
            return hwnd;
    }
    return nullptr;
}

bool TakeTimerMessage(MSG& out, MessageFilter const& filter, bool remove)
{
    if (!MessagePasses(WM_TIMER, filter))
        return false;
    auto const now = UserClock().Now();
    Timer* timer = Timers().FirstExpired(now, [&](Timer const& candidate) {
        return WindowPasses(candidate.window, filter);
    });
    if (!timer)
        return false;
    out = MakeMessage(timer->window, WM_TIMER, timer->id, reinterpret_cast<LPARAM>(timer->procedure));
    if (remove)
        TimerList::Restart(*timer, now);
    return true;
}

bool TakeAvailableMessage(MSG& out, MessageFilter const& filter, bool remove)
{
    auto& queue = Queue();
    if (auto posted = TakeFrom(queue.Posted(), filter, remove)) {
        out = posted->msg;
        return true;
    }
    if (queue.QuitPending()) {
        // WM_QUIT comes whatever the filter says.
        out = MakeMessage(nullptr, WM_QUIT, static_cast<WPARAM>(queue.QuitCode()), 0);
        if (remove)
            queue.ClearQuit();
        return true;
    }
    if (auto input = TakeFrom(queue.Input(), filter, remove)) {
        out = input->msg;
        if (remove && IsKeyMessage(out.message)) {
            Keys().Apply(out, input->modifiers, input->fromKeyboard);
            g_lastKeyMessage = { out, input->text, true };
        }
        return true;
    }
    if (HWND hwnd = WindowToPaint(filter)) {
        out = MakeMessage(hwnd, WM_PAINT, 0, 0);
        return true;
    }
    return TakeTimerMessage(out, filter, remove);
}

bool RunIdleHook()
{
    if (!g_idleHook || g_idleHookRunning)
        return false;
    g_idleHookRunning = true;
    auto hook = g_idleHook; // the hook may replace itself
    hook();
    g_idleHookRunning = false;
    return true;
}

void WaitForSomethingToDo()
{
    auto const nextDue = Timers().NextDue();
    auto& clock = UserClock();
    if (clock.IsVirtual()) {
        if (nextDue) {
            clock.AdvanceTo(*nextDue);
            return;
        }
        if (g_idleHook && !g_idleHookRunning)
            return; // the hook gets another turn
        WaitForQtEvents(std::nullopt);
        return;
    }
    std::optional<int> timeout;
    if (nextDue) {
        auto const now = clock.Now();
        auto const wait = *nextDue > now ? *nextDue - now : 0;
        timeout = static_cast<int>(std::min<Milliseconds>(wait, std::numeric_limits<int>::max()));
    }
    WaitForQtEvents(timeout);
}

}

bool NextMessage(MSG& out, MessageFilter filter, bool remove, bool wait)
{
    if (filter.first == 0 && filter.last == 0)
        filter.last = std::numeric_limits<UINT>::max();
    bool idleHookRan = false;
    for (;;) {
        ++g_retrievalPasses;
        ProcessQtEvents();
        ApplyPendingClientSizes();
        if (TakeAvailableMessage(out, filter, remove))
            return true;
        if (!wait)
            return false;
        if (!idleHookRan && RunIdleHook()) {
            idleHookRan = true;
            continue;
        }
        WaitForSomethingToDo();
        idleHookRan = false;
    }
}

std::uint64_t RetrievalPasses()
{
    return g_retrievalPasses;
}

TakenKeyMessage const& LastTakenKeyMessage()
{
    return g_lastKeyMessage;
}

void SetIdleHook(std::function<void()> hook)
{
    g_idleHook = std::move(hook);
}

bool HasIdleHook()
{
    return static_cast<bool>(g_idleHook);
}

}
