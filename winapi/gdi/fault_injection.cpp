#include "fault_injection.h"

#include "fault_points.h"

namespace winapi::gdi {

int g_pendingCreationFailures[CreationKindCount] = {};

} // namespace winapi::gdi

namespace winapi::testing {

void FailNextCreations(GdiCreation creation, int count)
{
    gdi::g_pendingCreationFailures[static_cast<int>(creation)] = count > 0 ? count : 0;
}

void ClearCreationFailures()
{
    for (int& pending : gdi::g_pendingCreationFailures)
        pending = 0;
}

} // namespace winapi::testing
