// The font a fresh DC draws text with and dialogs use, standing in for
// Windows' "System" font: bold, 16 pixels from one line to the next, with
// no anti-aliasing, so text pixels are exactly the text colour.
//
// Dialog units become pixels through this font's base units, which are
// fixed at Windows' values for the System font at 96 dpi: 8 pixels across
// (a horizontal dialog unit is 8/4 = 2 pixels) and 16 pixels down (a
// vertical dialog unit is 16/8 = 2 pixels), whatever font Qt finds.
#pragma once

#include <QFont>

namespace winapi::user {

inline constexpr int DialogBaseUnitX = 8;
inline constexpr int DialogBaseUnitY = 16;

QFont SystemFont();

// Fontconfig, under Qt's first match of a font, does not check every
// allocation it makes: with the address space nearly used up it can crash.
// True when the system font has been matched already, or when there is room
// to spare for that first match now. Text and top-level frames, whose menu
// bars lay themselves out in a font, ask before they touch one.
bool FontMatchHasRoom();

// Notes that Qt has matched the system font: it keeps what it found.
void NoteFontMatched();

// Dialog units to pixels, rounded as Win32's MulDiv rounds.
int DialogUnitsToPixelsX(int units);
int DialogUnitsToPixelsY(int units);

}
