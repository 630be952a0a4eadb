#include <windows.h>

HANDLE WINAPI GetCurrentProcess()
{
    // Win32's pseudo-handle for the calling process.
    return reinterpret_cast<HANDLE>(static_cast<std::intptr_t>(-1));
}
