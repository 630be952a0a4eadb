// Placeholder bodies: every call fails until the GDI subset lands.
#include <windows.h>

HBRUSH WINAPI CreateSolidBrush(COLORREF) { return nullptr; }
HPEN WINAPI CreatePen(int, int, COLORREF) { return nullptr; }
HGDIOBJ WINAPI GetStockObject(int) { return nullptr; }
HGDIOBJ WINAPI SelectObject(HDC, HGDIOBJ) { return nullptr; }
HGDIOBJ WINAPI GetCurrentObject(HDC, UINT) { return nullptr; }
BOOL WINAPI DeleteObject(HGDIOBJ) { return FALSE; }
DWORD WINAPI GetObjectType(HGDIOBJ) { return 0; }
int WINAPI GetObjectA(HANDLE, int, LPVOID) { return 0; }
HDC WINAPI CreateCompatibleDC(HDC) { return nullptr; }
HBITMAP WINAPI CreateCompatibleBitmap(HDC, int, int) { return nullptr; }
HBITMAP WINAPI CreateBitmap(int, int, UINT, UINT, const void*) { return nullptr; }
BOOL WINAPI DeleteDC(HDC) { return FALSE; }
HDC WINAPI GetDC(HWND) { return nullptr; }
int WINAPI ReleaseDC(HWND, HDC) { return 0; }
int WINAPI GetDeviceCaps(HDC, int) { return 0; }
int WINAPI SetPolyFillMode(HDC, int) { return 0; }
int WINAPI GetPolyFillMode(HDC) { return 0; }
int WINAPI SetStretchBltMode(HDC, int) { return 0; }
int WINAPI GetStretchBltMode(HDC) { return 0; }
COLORREF WINAPI SetTextColor(HDC, COLORREF) { return CLR_INVALID; }
COLORREF WINAPI GetTextColor(HDC) { return CLR_INVALID; }
COLORREF WINAPI SetBkColor(HDC, COLORREF) { return CLR_INVALID; }
COLORREF WINAPI GetBkColor(HDC) { return CLR_INVALID; }
int WINAPI SetBkMode(HDC, int) { return 0; }
int WINAPI GetBkMode(HDC) { return 0; }
BOOL WINAPI Polygon(HDC, const POINT*, int) { return FALSE; }
BOOL WINAPI PatBlt(HDC, int, int, int, int, DWORD) { return FALSE; }
BOOL WINAPI BitBlt(HDC, int, int, int, int, HDC, int, int, DWORD) { return FALSE; }
BOOL WINAPI StretchBlt(HDC, int, int, int, int, HDC, int, int, int, int, DWORD) { return FALSE; }
COLORREF WINAPI GetPixel(HDC, int, int) { return CLR_INVALID; }
COLORREF WINAPI SetPixel(HDC, int, int, COLORREF) { return CLR_INVALID; }
DWORD WINAPI GetGuiResources(HANDLE, DWORD) { return 0; }
