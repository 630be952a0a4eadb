#include <windows.h>

#include <ctime>

DWORD WINAPI GetTickCount()
{
    timespec now {};
    clock_gettime(CLOCK_MONOTONIC, &now);
    auto const milliseconds = static_cast<std::uint64_t>(now.tv_sec) * 1000u
        + static_cast<std::uint64_t>(now.tv_nsec) / 1000000u;
    return static_cast<DWORD>(milliseconds);
}
