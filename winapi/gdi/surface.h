// The pixels GDI draws on, and the small internal interface the rest of our
// Win32 subset (USER, the grower, tests) uses to reach them.
//
// A Surface is a rectangle of 32-bit pixels, 0x00RRGGBB (red in bits 16-23,
// blue in bits 0-7, the top byte always zero), stored row by row from the top
// with a stride of exactly `Width()` pixels. Bitmaps own their surface; a
// window owns the surface of its client area and lets GDI draw on it through
// a DC made by CreateSurfaceDC.
//
// Monochrome surfaces (GDI's 1-bit bitmaps) use the same storage and hold
// only 0x000000 (bit 0) and 0xFFFFFF (bit 1).
//
// GDI runs on one thread, like the program: none of these functions locks.
#pragma once

#include <win32/gdi.h>

#include <cstdint>
#include <memory>

namespace winapi {

class Surface {
public:
    enum class Format : std::uint8_t {
        Rgb32,
        Monochrome,
    };

    // The largest surface GDI allocates, in pixels (1 GiB of storage).
    static constexpr std::int64_t MaxPixels = std::int64_t { 1 } << 28;

    Surface() = default;
    explicit Surface(Format format)
        : m_format(format)
    {
    }

    Surface(Surface const&) = delete;
    Surface& operator=(Surface const&) = delete;

    // Reallocates the pixels at the new size, all black (zero). A size with
    // no pixels (an extent of zero or less) makes the surface 0x0. A size
    // beyond MaxPixels, or an allocation that fails, leaves an empty 0x0
    // surface and returns false.
    bool Resize(int width, int height);

    int Width() const { return m_width; }
    int Height() const { return m_height; }
    Format GetFormat() const { return m_format; }
    bool IsMonochrome() const { return m_format == Format::Monochrome; }

    std::uint32_t* Pixels() { return m_pixels.get(); }
    std::uint32_t const* Pixels() const { return m_pixels.get(); }
    std::uint32_t* Row(int y) { return m_pixels.get() + std::int64_t { y } * m_width; }
    std::uint32_t const* Row(int y) const { return m_pixels.get() + std::int64_t { y } * m_width; }

    // Unchecked access; (x, y) must lie inside the surface.
    std::uint32_t PixelAt(int x, int y) const { return Row(y)[x]; }

    bool Contains(int x, int y) const { return x >= 0 && y >= 0 && x < m_width && y < m_height; }

private:
    int m_width = 0;
    int m_height = 0;
    Format m_format = Format::Rgb32;
    std::unique_ptr<std::uint32_t[]> m_pixels;
};

// ---- DCs on surfaces (for BeginPaint and GetDC of a window) --------------

// Makes a DC that draws on `surface`, with a fresh DC's state (white brush,
// black pen, black text on an opaque white background, ALTERNATE filling,
// BLACKONWHITE stretching). It reports OBJ_DC and counts as a live GDI
// object. The surface must outlive the DC and may be resized meanwhile.
// Returns NULL for a null surface.
HDC CreateSurfaceDC(Surface* surface);

// Releases a DC made by CreateSurfaceDC: its selected objects are put back
// (objects whose deletion waited for it are deleted). Returns FALSE for any
// other handle. DeleteDC refuses such DCs, as GDI refuses DCs from GetDC.
BOOL DeleteSurfaceDC(HDC hdc);

// The surface a DC draws on: the selected bitmap's for a memory DC, the
// window's for a surface DC, the headless display's for GetDC(NULL).
// NULL for an invalid DC.
Surface* GetDCSurface(HDC hdc);

// What text drawing needs to know about a DC.
struct DCTextState {
    COLORREF textColor;
    COLORREF backgroundColor;
    int backgroundMode; // OPAQUE or TRANSPARENT
    HFONT font;
    int stockFont; // the GetStockObject index of the selected font
};

// Fills *state from the DC; false for an invalid DC or a null pointer.
bool GetDCTextState(HDC hdc, DCTextState* state);

// Converts between a COLORREF (0x00BBGGRR) and a surface pixel (0x00RRGGBB).
constexpr std::uint32_t PixelFromColor(COLORREF color)
{
    return ((color >> 16) & 0xff) | (color & 0xff00) | ((color & 0xff) << 16);
}

constexpr COLORREF ColorFromPixel(std::uint32_t pixel)
{
    return ((pixel >> 16) & 0xff) | (pixel & 0xff00) | ((pixel & 0xff) << 16);
}

// ---- Window DCs ------------------------------------------------------------

// GetDC(hwnd) and ReleaseDC(hwnd, hdc) for a non-null hwnd are answered by
// USER through these two functions (typically CreateSurfaceDC on the client
// surface and DeleteSurfaceDC). Without a provider, GetDC(hwnd) returns NULL
// and ReleaseDC(hwnd, ...) returns 0. GetDC(NULL) is always answered by GDI
// with a DC on the headless display.
struct WindowDCProvider {
    HDC (*getDC)(HWND hwnd);
    int (*releaseDC)(HWND hwnd, HDC hdc);
};

// Installs the provider (copied); nullptr removes it.
void SetWindowDCProvider(WindowDCProvider const* provider);

// ---- The display -----------------------------------------------------------

// The size of the (headless) display, 1920x1080 unless set: what
// GetDeviceCaps reports for HORZRES and VERTRES on every DC, and the size of
// the surface GetDC(NULL) draws on. Sizes below 1 are taken as 1.
void SetDisplaySize(int width, int height);
SIZE GetDisplaySize();

} // namespace winapi
