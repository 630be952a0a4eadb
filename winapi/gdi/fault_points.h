// Where GDI's creation functions ask whether a test wants them to fail.
#pragma once

#include "fault_injection.h"

namespace winapi::gdi {

inline constexpr int CreationKindCount = 5;
extern int g_pendingCreationFailures[CreationKindCount];

// True (and one failure fewer pending) when this creation is to fail.
inline bool CreationShouldFail(testing::GdiCreation creation)
{
    int& pending = g_pendingCreationFailures[static_cast<int>(creation)];
    if (pending == 0) [[likely]]
        return false;
    --pending;
    return true;
}

} // namespace winapi::gdi
