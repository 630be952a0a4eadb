#include "winapi/resources/module_handles.h"

#include <windows.h>

HACCEL WINAPI LoadAcceleratorsA(HINSTANCE hInstance, LPCSTR lpTableName)
{
    return winapi::resources::detail::LoadModuleAccelerators(hInstance, lpTableName);
}
