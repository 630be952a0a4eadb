// Kernel functions: the tick count and the current process.
#pragma once

#include "base_types.h"

// Milliseconds since an unspecified start, wrapping at 2^32, from a monotonic
// clock. Safe to call during static initialisation.
DWORD WINAPI GetTickCount();

HANDLE WINAPI GetCurrentProcess();
