// The time USER runs on: message times, timer periods and due times.
//
// Normally this is the monotonic system clock. Tests switch to a virtual
// clock that stands still until the message loop has nothing else to do and
// then jumps straight to the next timer that is due, so timer behaviour is
// exact and no test ever waits.
#pragma once

#include <cstdint>

namespace winapi::user {

using Milliseconds = std::uint64_t;

class Clock {
public:
    Milliseconds Now() const;

    bool IsVirtual() const { return m_virtual; }
    // Virtual time, starting at the time it is now.
    void UseVirtualTime();
    void UseRealTime() { m_virtual = false; }

    // Moves virtual time forward to `time`; never backwards. No effect on
    // the real clock.
    void AdvanceTo(Milliseconds time);

private:
    bool m_virtual = false;
    Milliseconds m_virtualNow = 0;
};

Clock& UserClock();

}
