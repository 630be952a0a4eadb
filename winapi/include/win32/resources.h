// Resource functions: strings, icons and accelerator tables from the
// program's own module.
#pragma once

#include "base_types.h"

// Copies string uID into lpBuffer, cut to cchBufferMax - 1 characters and
// terminated; returns the characters copied. 0, with an empty buffer, when
// the string does not exist or is empty. 0 and nothing written when
// lpBuffer is null or cchBufferMax is not positive.
int WINAPI LoadStringA(HINSTANCE hInstance, UINT uID, LPSTR lpBuffer, int cchBufferMax);

// The icon group lpIconName of the module. The handle is shared: loading
// the same icon again gives the same handle. Null when the group is missing
// or broken, and for a null hInstance (no system icons are provided).
HICON WINAPI LoadIconA(HINSTANCE hInstance, LPCSTR lpIconName);

// The accelerator table lpTableName of the module (null hInstance means the
// module too). Null when the table is missing or broken.
HACCEL WINAPI LoadAcceleratorsA(HINSTANCE hInstance, LPCSTR lpTableName);
