#include "winapi/user/clock.h"

#include <chrono>

namespace winapi::user {

Milliseconds Clock::Now() const
{
    if (m_virtual)
        return m_virtualNow;
    auto const sinceEpoch = std::chrono::steady_clock::now().time_since_epoch();
    return static_cast<Milliseconds>(std::chrono::duration_cast<std::chrono::milliseconds>(sinceEpoch).count());
}

void Clock::UseVirtualTime()
{
    m_virtualNow = Now();
    m_virtual = true;
}

void Clock::AdvanceTo(Milliseconds time)
{
    if (m_virtual && time > m_virtualNow)
        m_virtualNow = time;
}

Clock& UserClock()
{
    static Clock clock;
    return clock;
}

}
