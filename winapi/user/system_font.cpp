#include "winapi/user/system_font.h"

#include "winapi/user/address_space.h"
#include "winapi/user/qt_application.h"

#include <cstddef>
#include <cstdint>

namespace winapi::user {

namespace {

// The room the first match of a font is tried with.
constexpr std::size_t FONT_MATCH_ROOM = std::size_t { 8 } << 20;
bool g_fontMatched = false;

// a * b / c rounded half away from zero, as MulDiv.
int MulDiv(int a, int b, int c)
{
    std::int64_t const product = std::int64_t { a } * b;
    std::int64_t const half = c / 2;
    std::int64_t const rounded = product >= 0 ? (product + half) / c : (product - half) / c;
    return static_cast<int>(rounded);
}

}

QFont SystemFont()
{
    EnsureApplication();
    QFont font = QApplication::font();
    font.setPixelSize(13);
    font.setBold(true);
    font.setStyleStrategy(QFont::NoAntialias);
    font.setHintingPreference(QFont::PreferFullHinting);
    return font;
}

bool FontMatchHasRoom()
{
    return g_fontMatched || !AddressSpaceRunsShort(FONT_MATCH_ROOM);
}

void NoteFontMatched()
{
    g_fontMatched = true;
}

int DialogUnitsToPixelsX(int units)
{
    return MulDiv(units, DialogBaseUnitX, 4);
}

int DialogUnitsToPixelsY(int units)
{
    return MulDiv(units, DialogBaseUnitY, 8);
}

}
