// Window timers. A timer produces no messages by itself: the message loop
// asks for an expired timer only when nothing else waits, and taking its
// WM_TIMER moves the timer's next due time past the present, so timer
// messages never pile up however slow their handling is.
#pragma once

#include "winapi/user/clock.h"

#include <windows.h>

#include <optional>
#include <vector>

namespace winapi::user {

struct Timer {
    HWND window = nullptr;
    UINT_PTR id = 0;
    UINT period = 0;
    TIMERPROC procedure = nullptr;
    Milliseconds due = 0;
};

// Win32 keeps timer periods within these bounds.
inline constexpr UINT MinimumTimerPeriod = 10;
inline constexpr UINT MaximumTimerPeriod = 0x7FFFFFFF;

class TimerList {
public:
    // Starts or restarts the timer (window, id); a null window gets a new
    // identifier unless `id` names one of its timers. Returns the id.
    UINT_PTR Set(HWND window, UINT_PTR id, UINT period, TIMERPROC procedure, Milliseconds now);
    bool Kill(HWND window, UINT_PTR id);
    void KillAllOf(HWND window);
    void Clear() { m_timers.clear(); }

    // The expired timer that fell due first, among those `accept` lets
    // through.
    template<typename Filter>
    Timer* FirstExpired(Milliseconds now, Filter const& accept)
    {
        Timer* first = nullptr;
        for (auto& timer : m_timers) {
            if (timer.due <= now && accept(timer) && (!first || timer.due < first->due))
                first = &timer;
        }
        return first;
    }

    // Moves the timer's due time to its first period boundary after `now`.
    static void Restart(Timer& timer, Milliseconds now);

    std::optional<Milliseconds> NextDue() const;
    bool HasProcedure(TIMERPROC procedure) const;
    bool Empty() const { return m_timers.empty(); }
    std::vector<Timer> const& All() const { return m_timers; }

private:
    std::vector<Timer> m_timers;
    UINT_PTR m_nextThreadTimerId = 1;
};

TimerList& Timers();

}
