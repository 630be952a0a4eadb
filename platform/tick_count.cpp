// The model's one window onto the platform: the system tick count.
#include "platform/tick_count.h"

#include <windows.h>

std::uint32_t ReadTickCount()
{
    return static_cast<std::uint32_t>(GetTickCount());
}
