// Registering and unregistering window classes: RegisterClassExA and
// UnregisterClassA.
#include "winapi/user/system_classes.h"
#include "winapi/user/window.h"
#include "winapi/user/window_class.h"

#include <windows.h>

using namespace winapi::user;

ATOM WINAPI RegisterClassExA(const WNDCLASSEXA* lpwcx)
{
    if (!lpwcx)
        return 0;
    EnsureSystemClasses();
    return Classes().Register(*lpwcx);
}

BOOL WINAPI UnregisterClassA(LPCSTR lpClassName, HINSTANCE)
{
    auto const windowClass = Classes().Find(lpClassName);
    if (!windowClass)
        return FALSE;
    for (HWND hwnd : Windows().Handles()) {
        if (FindWindow(hwnd)->windowClass == windowClass)
            return FALSE; // windows of the class still exist
    }
    return Classes().Unregister(lpClassName) ? TRUE : FALSE;
}
