// Device contexts: creation and release, capabilities and attributes.
#include "display.h"
#include "fault_points.h"
#include "gdi_objects.h"

#include <dc_pixels.h>

#include <cmath>

using namespace winapi::gdi;
using winapi::testing::GdiCreation;

namespace {

// Raster capabilities of a display device.
constexpr int DisplayRasterCaps = 0x0001 /* RC_BITBLT */ | 0x0008 /* RC_BITMAP64 */ | 0x0010 /* RC_GDI20_OUTPUT */
    | 0x0080 /* RC_DI_BITMAP */ | 0x0200 /* RC_DIBTODEV */ | 0x0400 /* RC_BIGFONT */ | 0x0800 /* RC_STRETCHBLT */
    | 0x1000 /* RC_FLOODFILL */ | 0x2000 /* RC_STRETCHDIB */ | 0x8000 /* RC_DEVBITS */;
constexpr int DisplayDpi = 96;

// a * b / c rounded to nearest, for non-negative values.
int MulDiv(int a, int b, int c) { return static_cast<int>((std::int64_t { a } * b + c / 2) / c); }

} // namespace

HDC WINAPI CreateCompatibleDC(HDC hdc)
{
    if (hdc && !FindDCOrNull(hdc))
        return nullptr;
    if (CreationShouldFail(GdiCreation::CompatibleDC))
        return nullptr;
    return CreateDC(DCType::Memory, nullptr);
}

BOOL WINAPI DeleteDC(HDC hdc)
{
    DeviceContext const* dc = FindDC(hdc);
    // DCs from GetDC and window DCs go back through ReleaseDC.
    if (!dc || dc->type != DCType::Memory)
        return FALSE;
    DestroyDC(hdc);
    return TRUE;
}

HDC WINAPI GetDC(HWND hWnd)
{
    if (hWnd) {
        winapi::WindowDCProvider const* provider = CurrentWindowDCProvider();
        return provider ? provider->getDC(hWnd) : nullptr;
    }
    winapi::Surface* display = DisplaySurface();
    if (!display)
        return nullptr;
    return CreateDC(DCType::Display, display);
}

int WINAPI ReleaseDC(HWND hWnd, HDC hDC)
{
    if (hWnd) {
        winapi::WindowDCProvider const* provider = CurrentWindowDCProvider();
        return provider ? provider->releaseDC(hWnd, hDC) : 0;
    }
    DeviceContext const* dc = FindDC(hDC);
    if (!dc || dc->type != DCType::Display)
        return 0;
    DestroyDC(hDC);
    return 1;
}

int WINAPI GetDeviceCaps(HDC hdc, int index)
{
    if (!FindDC(hdc))
        return 0;
    SIZE const display = winapi::GetDisplaySize();
    switch (index) {
    case DRIVERVERSION: return 0x4000;
    case TECHNOLOGY: return DT_RASDISPLAY;
    case HORZSIZE: return MulDiv(display.cx, 254, DisplayDpi * 10);
    case VERTSIZE: return MulDiv(display.cy, 254, DisplayDpi * 10);
    case HORZRES:
    case DESKTOPHORZRES: return display.cx;
    case VERTRES:
    case DESKTOPVERTRES: return display.cy;
    case BITSPIXEL: return 32;
    case PLANES: return 1;
    case NUMBRUSHES:
    case NUMPENS:
    case NUMCOLORS: return -1;
    case CLIPCAPS: return 1; // CP_RECTANGLE
    case RASTERCAPS: return DisplayRasterCaps;
    case ASPECTX:
    case ASPECTY: return 36;
    case ASPECTXY: return static_cast<int>(std::hypot(36.0, 36.0) + 0.5);
    case LOGPIXELSX:
    case LOGPIXELSY: return DisplayDpi;
    case NUMRESERVED: return 20;
    case COLORRES: return 24;
    case VREFRESH: return 60;
    default: return 0;
    }
}

int WINAPI SetPolyFillMode(HDC hdc, int mode)
{
    if (mode != ALTERNATE && mode != WINDING)
        return 0;
    DeviceContext* dc = FindDC(hdc);
    if (!dc)
        return 0;
    int const previous = dc->polyFillMode;
    dc->polyFillMode = mode;
    return previous;
}

int WINAPI GetPolyFillMode(HDC hdc)
{
    DeviceContext const* dc = FindDC(hdc);
    return dc ? dc->polyFillMode : 0;
}

int WINAPI SetStretchBltMode(HDC hdc, int mode)
{
    if (mode < BLACKONWHITE || mode > MAXSTRETCHBLTMODE)
        return 0;
    DeviceContext* dc = FindDC(hdc);
    if (!dc)
        return 0;
    int const previous = dc->stretchMode;
    dc->stretchMode = mode;
    return previous;
}

int WINAPI GetStretchBltMode(HDC hdc)
{
    DeviceContext const* dc = FindDC(hdc);
    return dc ? dc->stretchMode : 0;
}

COLORREF WINAPI SetTextColor(HDC hdc, COLORREF color)
{
    DeviceContext* dc = FindDC(hdc);
    if (!dc)
        return CLR_INVALID;
    COLORREF const previous = dc->textColor;
    dc->textColor = color;
    return previous;
}

COLORREF WINAPI GetTextColor(HDC hdc)
{
    DeviceContext const* dc = FindDC(hdc);
    return dc ? dc->textColor : 0;
}

COLORREF WINAPI SetBkColor(HDC hdc, COLORREF color)
{
    DeviceContext* dc = FindDC(hdc);
    if (!dc)
        return CLR_INVALID;
    COLORREF const previous = dc->backgroundColor;
    dc->backgroundColor = color;
    return previous;
}

COLORREF WINAPI GetBkColor(HDC hdc)
{
    DeviceContext const* dc = FindDC(hdc);
    return dc ? dc->backgroundColor : CLR_INVALID;
}

int WINAPI SetBkMode(HDC hdc, int mode)
{
    if (mode != TRANSPARENT && mode != OPAQUE)
        return 0;
    DeviceContext* dc = FindDC(hdc);
    if (!dc)
        return 0;
    int const previous = dc->backgroundMode;
    dc->backgroundMode = mode;
    return previous;
}

int WINAPI GetBkMode(HDC hdc)
{
    DeviceContext const* dc = FindDC(hdc);
    return dc ? dc->backgroundMode : 0;
}

BOOL GetDCPixels(HDC hdc, DCPixels* pixels)
{
    DeviceContext const* dc = FindDC(hdc);
    if (!dc || !pixels)
        return FALSE;
    winapi::Surface& surface = *dc->surface;
    if (surface.IsMonochrome() || surface.Width() <= 0 || surface.Height() <= 0 || !surface.Pixels())
        return FALSE;
    pixels->pixels = surface.Pixels();
    pixels->width = surface.Width();
    pixels->height = surface.Height();
    pixels->stride = surface.Width();
    pixels->clip = { 0, 0, surface.Width(), surface.Height() };
    pixels->polyFillMode = dc->polyFillMode;
    return TRUE;
}
