#include "winapi/resources/module_handles.h"

#include <windows.h>

HICON WINAPI LoadIconA(HINSTANCE hInstance, LPCSTR lpIconName)
{
    // A null instance asks for a system icon, and there are none.
    if (!hInstance)
        return nullptr;
    return winapi::resources::detail::LoadModuleIcon(hInstance, lpIconName);
}
