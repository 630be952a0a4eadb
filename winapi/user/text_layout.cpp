#include "winapi/user/text_layout.h"

namespace winapi::user {

namespace {

TextLine WithoutPrefixes(QString const& text)
{
    TextLine line;
    line.text.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == u'&') {
            if (i + 1 < text.size() && text[i + 1] == u'&') {
                line.text += u'&';
                ++i;
            } else if (i + 1 < text.size()) {
                line.underline = line.text.size();
            }
            continue;
        }
        line.text += text[i];
    }
    return line;
}

std::vector<QString> SplitAtLineBreaks(QString const& text)
{
    std::vector<QString> lines;
    QString current;
    for (qsizetype i = 0; i < text.size(); ++i) {
        QChar const c = text[i];
        if (c == u'\r' || c == u'\n') {
            lines.push_back(current);
            current.clear();
            if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n')
                ++i;
            continue;
        }
        current += c;
    }
    lines.push_back(current);
    return lines;
}

// Breaks a line at spaces so that each part fits `width`; a word wider than
// the width stays whole on its own line.
std::vector<QString> BreakWords(QString const& line, QFontMetrics const& metrics, int width)
{
    std::vector<QString> parts;
    QString current;
    qsizetype start = 0;
    while (start <= line.size()) {
        qsizetype end = line.indexOf(u' ', start);
        if (end < 0)
            end = line.size();
        QString const word = line.mid(start, end - start);
        QString const candidate = current.isEmpty() ? word : current + u' ' + word;
        if (!current.isEmpty() && metrics.horizontalAdvance(candidate) > width) {
            parts.push_back(current);
            current = word;
        } else {
            current = candidate;
        }
        start = end + 1;
    }
    parts.push_back(current);
    return parts;
}

}

std::vector<TextLine> LayOutText(QString const& text, UINT format, QFontMetrics const& metrics, int width)
{
    std::vector<QString> rawLines;
    if (format & DT_SINGLELINE)
        rawLines.push_back(text);
    else
        rawLines = SplitAtLineBreaks(text);

    std::vector<TextLine> lines;
    for (QString const& raw : rawLines) {
        TextLine const line = (format & DT_NOPREFIX) ? TextLine { raw, -1 } : WithoutPrefixes(raw);
        if ((format & DT_WORDBREAK) && !(format & DT_SINGLELINE)) {
            for (QString const& part : BreakWords(line.text, metrics, width))
                lines.push_back(TextLine { part, -1 });
            continue;
        }
        lines.push_back(line);
    }
    return lines;
}

}
