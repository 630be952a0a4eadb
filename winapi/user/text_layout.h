// How DrawTextA lays text out: lines, prefix characters and word breaks.
#pragma once

#include <windows.h>

#include <QFontMetrics>
#include <QString>

#include <vector>

namespace winapi::user {

struct TextLine {
    QString text;
    // The character to underline, marked by a single "&" before it; -1 for
    // none.
    qsizetype underline = -1;
};

// Splits `text` into the lines DrawTextA draws: at CR, LF and CR LF unless
// DT_SINGLELINE; at spaces to fit `width` with DT_WORDBREAK; "&" marks
// removed (and "&&" made "&") unless DT_NOPREFIX.
std::vector<TextLine> LayOutText(QString const& text, UINT format, QFontMetrics const& metrics, int width);

}
