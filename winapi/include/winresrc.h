// What a resource script takes from the system headers: the window, dialog
// and control styles, the dialog command identifiers and the language
// identifiers. Only #defines, so the resource compiler can read it.
#pragma once

#ifndef RC_INVOKED
#define RC_INVOKED 1
#include "win32/user.h"
#undef RC_INVOKED
#else
#include "win32/user.h"
#endif

#define LANG_NEUTRAL 0x00
#define LANG_ENGLISH 0x09
#define SUBLANG_NEUTRAL 0x00
#define SUBLANG_DEFAULT 0x01
#define SUBLANG_ENGLISH_US 0x01
