// The subset of the Win32 API that Morva uses, for hosts without Windows.
// On Windows the real <windows.h> is used instead and this folder is not on
// the include path.
#pragma once

#include "win32/base_types.h"
#include "win32/kernel.h"
#include "win32/gdi.h"
#include "win32/user.h"
#include "win32/resources.h"
