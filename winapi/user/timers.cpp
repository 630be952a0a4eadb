#include "winapi/user/timers.h"

#include <algorithm>

namespace winapi::user {

UINT_PTR TimerList::Set(HWND window, UINT_PTR id, UINT period, TIMERPROC procedure, Milliseconds now)
{
    period = std::clamp(period, MinimumTimerPeriod, MaximumTimerPeriod);
    auto existing = std::find_if(m_timers.begin(), m_timers.end(),
        [&](Timer const& timer) { return timer.window == window && timer.id == id; });
    if (existing == m_timers.end() && !window) {
        // A thread timer gets an identifier of its own.
        do {
            id = m_nextThreadTimerId++;
            if (m_nextThreadTimerId > 0x7FFF)
                m_nextThreadTimerId = 1;
        } while (std::any_of(m_timers.begin(), m_timers.end(),
            [&](Timer const& timer) { return !timer.window && timer.id == id; }));
    }
    Timer timer { window, id, period, procedure, now + period };
    if (existing != m_timers.end())
        *existing = timer;
    else
        m_timers.push_back(timer);
    return id;
}

bool TimerList::Kill(HWND window, UINT_PTR id)
{
    return std::erase_if(m_timers, [&](Timer const& timer) { return timer.window == window && timer.id == id; }) > 0;
}

void TimerList::KillAllOf(HWND window)
{
    std::erase_if(m_timers, [&](Timer const& timer) { return timer.window == window; });
}

void TimerList::Restart(Timer& timer, Milliseconds now)
{
    if (timer.due > now)
        return;
    auto const periodsPassed = (now - timer.due) / timer.period + 1;
    timer.due += periodsPassed * timer.period;
}

std::optional<Milliseconds> TimerList::NextDue() const
{
    std::optional<Milliseconds> next;
    for (auto const& timer : m_timers) {
        if (!next || timer.due < *next)
            next = timer.due;
    }
    return next;
}

bool TimerList::HasProcedure(TIMERPROC procedure) const
{
    return std::any_of(m_timers.begin(), m_timers.end(),
        [&](Timer const& timer) { return timer.procedure == procedure; });
}

TimerList& Timers()
{
    static TimerList timers;
    return timers;
}

}
