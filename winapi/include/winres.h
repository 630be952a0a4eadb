// The resource script's system header: <winresrc.h> and the identifier of
// controls that need none. Only #defines, so the resource compiler can read
// it.
#pragma once

#include "winresrc.h"

#ifndef IDC_STATIC
#define IDC_STATIC (-1)
#endif
