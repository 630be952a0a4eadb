// The logging wrappers of the program's two procedures. The test executable
// is linked with --wrap for both, so the program's references to
// MainWindowProc and AboutDialogProc reach these, and the __real_ names the
// real procedures.

#include "app/app_state.h"
#include "tests/app/app_harness.h"

#include <windows.h>

LRESULT CALLBACK RealMainWindowProc(HWND, UINT, WPARAM, LPARAM) __asm__("__real__Z14MainWindowProcP6HWND__jml");
INT_PTR CALLBACK RealAboutDialogProc(HWND, UINT, WPARAM, LPARAM) __asm__("__real__Z15AboutDialogProcP6HWND__jml");
LRESULT CALLBACK LoggingMainWindowProc(HWND, UINT, WPARAM, LPARAM) __asm__("__wrap__Z14MainWindowProcP6HWND__jml");
INT_PTR CALLBACK LoggingAboutDialogProc(HWND, UINT, WPARAM, LPARAM) __asm__("__wrap__Z15AboutDialogProcP6HWND__jml");

LRESULT CALLBACK LoggingMainWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    app_test::WindowLog().push_back({ hwnd, message, wParam, lParam, g_dissectCount, g_autoDissect, g_autoDraw });
    return RealMainWindowProc(hwnd, message, wParam, lParam);
}

INT_PTR CALLBACK LoggingAboutDialogProc(HWND hDlg, UINT message, WPARAM wParam, LPARAM lParam)
{
    app_test::DialogLog().push_back({ hDlg, message, wParam, lParam, g_dissectCount, g_autoDissect, g_autoDraw });
    return RealAboutDialogProc(hDlg, message, wParam, lParam);
}

