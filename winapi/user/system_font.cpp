#include "winapi/user/system_font.h"

#include "winapi/user/qt_application.h"

#include <cstdint>

namespace winapi::user {

namespace {

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

int DialogUnitsToPixelsX(int units)
{
    return MulDiv(units, DialogBaseUnitX, 4);
}

int DialogUnitsToPixelsY(int units)
{
    return MulDiv(units, DialogBaseUnitY, 8);
}

}
