// The system colours, their brushes, and FillRect.

#include <windows.h>

#include <algorithm>
#include <array>
#include <climits>
#include <cstdint>

namespace {

// Windows' default colours, by index, as COLORREF (0x00BBGGRR).
constexpr std::array<COLORREF, 31> SystemColors {
    RGB(200, 200, 200), // COLOR_SCROLLBAR
    RGB(0, 0, 0),       // COLOR_BACKGROUND
    RGB(153, 180, 209), // COLOR_ACTIVECAPTION
    RGB(191, 205, 219), // COLOR_INACTIVECAPTION
    RGB(240, 240, 240), // COLOR_MENU
    RGB(255, 255, 255), // COLOR_WINDOW
    RGB(100, 100, 100), // COLOR_WINDOWFRAME
    RGB(0, 0, 0),       // COLOR_MENUTEXT
    RGB(0, 0, 0),       // COLOR_WINDOWTEXT
    RGB(0, 0, 0),       // COLOR_CAPTIONTEXT
    RGB(180, 180, 180), // COLOR_ACTIVEBORDER
    RGB(244, 247, 252), // COLOR_INACTIVEBORDER
    RGB(171, 171, 171), // COLOR_APPWORKSPACE
    RGB(0, 120, 215),   // COLOR_HIGHLIGHT
    RGB(255, 255, 255), // COLOR_HIGHLIGHTTEXT
    RGB(240, 240, 240), // COLOR_BTNFACE
    RGB(160, 160, 160), // COLOR_BTNSHADOW
    RGB(109, 109, 109), // COLOR_GRAYTEXT
    RGB(0, 0, 0),       // COLOR_BTNTEXT
    RGB(0, 0, 0),       // COLOR_INACTIVECAPTIONTEXT
    RGB(255, 255, 255), // COLOR_BTNHIGHLIGHT
    RGB(105, 105, 105), // COLOR_3DDKSHADOW
    RGB(227, 227, 227), // COLOR_3DLIGHT
    RGB(0, 0, 0),       // COLOR_INFOTEXT
    RGB(255, 255, 225), // COLOR_INFOBK
    RGB(0, 0, 0),       // (unused)
    RGB(0, 102, 204),   // COLOR_HOTLIGHT
    RGB(185, 209, 234), // COLOR_GRADIENTACTIVECAPTION
    RGB(215, 228, 242), // COLOR_GRADIENTINACTIVECAPTION
    RGB(51, 153, 255),  // COLOR_MENUHILIGHT
    RGB(240, 240, 240), // COLOR_MENUBAR
};

constexpr int MaxSystemColor = static_cast<int>(SystemColors.size()) - 1;

bool IsSystemColorIndex(int index)
{
    return index >= 0 && index <= MaxSystemColor;
}

}

DWORD WINAPI GetSysColor(int nIndex)
{
    return IsSystemColorIndex(nIndex) ? SystemColors[static_cast<std::size_t>(nIndex)] : 0;
}

HBRUSH WINAPI GetSysColorBrush(int nIndex)
{
    // Made on first use and kept for the life of the process, as the
    // system's own brushes are.
    static std::array<HBRUSH, SystemColors.size()> brushes {};
    if (!IsSystemColorIndex(nIndex))
        return nullptr;
    auto& brush = brushes[static_cast<std::size_t>(nIndex)];
    if (!brush)
        brush = CreateSolidBrush(GetSysColor(nIndex));
    return brush;
}

int WINAPI FillRect(HDC hDC, const RECT* lprc, HBRUSH hbr)
{
    if (!hDC || !lprc || !hbr)
        return 0;
    // A brush value up to the last colour index plus one names that system
    // colour (as in COLOR_WINDOW + 1).
    auto const value = reinterpret_cast<ULONG_PTR>(hbr);
    HBRUSH madeHere = nullptr;
    if (value <= static_cast<ULONG_PTR>(MaxSystemColor + 1)) {
        if (value == 0)
            return 0;
        madeHere = CreateSolidBrush(GetSysColor(static_cast<int>(value) - 1));
        hbr = madeHere;
    }
    // Extents in 64 bits: right - left overflows for far-apart edges.
    auto const extent = [](LONG from, LONG to) {
        return static_cast<int>(std::clamp<std::int64_t>(std::int64_t { to } - from, INT_MIN, INT_MAX));
    };
    HGDIOBJ const previous = SelectObject(hDC, hbr);
    BOOL const filled = previous
        ? PatBlt(hDC, lprc->left, lprc->top, extent(lprc->left, lprc->right), extent(lprc->top, lprc->bottom), PATCOPY)
        : FALSE;
    if (previous)
        SelectObject(hDC, previous);
    if (madeHere)
        DeleteObject(madeHere);
    return filled ? 1 : 0;
}
