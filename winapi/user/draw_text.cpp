// DrawTextA: text painted with Qt onto the pixels of the DC's surface, in
// the DC's text colour, over its background colour when the background mode
// is OPAQUE.

#include "winapi/gdi/out_of_memory.h"
#include "winapi/gdi/surface.h"
#include "winapi/user/system_font.h"
#include "winapi/user/text_layout.h"
#include "winapi/user/vector_state.h"

#include <windows.h>

#include <QImage>
#include <QPainter>

#include <algorithm>
#include <climits>
#include <cstdint>
#include <cstring>

using namespace winapi::user;

namespace {

constexpr int TabColumns = 8;

QString ExpandTabs(QString const& text)
{
    QString expanded;
    int column = 0;
    for (QChar const c : text) {
        if (c == u'\t') {
            int const spaces = TabColumns - column % TabColumns;
            expanded += QString(spaces, u' ');
            column += spaces;
            continue;
        }
        expanded += c;
        column = (c == u'\n' || c == u'\r') ? 0 : column + 1;
    }
    return expanded;
}

// The nearest of black and white, as a colour lands on a monochrome surface.
std::uint32_t NearestMonochrome(std::uint32_t pixel)
{
    int const r = static_cast<int>((pixel >> 16) & 0xFF);
    int const g = static_cast<int>((pixel >> 8) & 0xFF);
    int const b = static_cast<int>(pixel & 0xFF);
    int const toBlack = r * r + g * g + b * b;
    int const toWhite = (255 - r) * (255 - r) + (255 - g) * (255 - g) + (255 - b) * (255 - b);
    return toWhite < toBlack ? 0xFFFFFFu : 0u;
}

QRect ClipOnSurface(winapi::Surface const& surface, RECT const& rect, bool clipToRect)
{
    QRect const whole(0, 0, surface.Width(), surface.Height());
    if (!clipToRect)
        return whole;
    std::int64_t const left = std::max<std::int64_t>(rect.left, 0);
    std::int64_t const top = std::max<std::int64_t>(rect.top, 0);
    std::int64_t const right = std::min<std::int64_t>(rect.right, surface.Width());
    std::int64_t const bottom = std::min<std::int64_t>(rect.bottom, surface.Height());
    if (right <= left || bottom <= top)
        return {};
    return QRect(static_cast<int>(left), static_cast<int>(top), static_cast<int>(right - left), static_cast<int>(bottom - top));
}

struct PlacedLine {
    TextLine const* line;
    std::int64_t x;
    std::int64_t y;
    int width;
};

// False when there is no memory for the canvas.
bool Paint(winapi::Surface& surface, QRect const& clip, QFont const& font, std::vector<PlacedLine> const& lines,
    int lineHeight, winapi::DCTextState const& state)
{
    QImage canvas(clip.size(), QImage::Format_RGB32);
    if (canvas.isNull())
        return false;
    for (int y = 0; y < clip.height(); ++y) {
        auto const* source = surface.Row(clip.top() + y) + clip.left();
        auto* target = reinterpret_cast<std::uint32_t*>(canvas.scanLine(y));
        for (int x = 0; x < clip.width(); ++x)
            target[x] = source[x] | 0xFF000000u;
    }

    QFontMetrics const metrics(font);
    QColor const textColor = QColor::fromRgb(winapi::PixelFromColor(state.textColor));
    QColor const backgroundColor = QColor::fromRgb(winapi::PixelFromColor(state.backgroundColor));
    {
        QPainter painter(&canvas);
        painter.setRenderHint(QPainter::TextAntialiasing, false);
        painter.setFont(font);
        painter.setPen(textColor);
        for (auto const& placed : lines) {
            // Coordinates relative to the canvas; lines off the canvas were
            // dropped, so these fit an int.
            int const x = static_cast<int>(placed.x - clip.left());
            int const y = static_cast<int>(placed.y - clip.top());
            if (state.backgroundMode == OPAQUE)
                painter.fillRect(QRect(x, y, placed.width, lineHeight), backgroundColor);
            painter.drawText(QPoint(x, y + metrics.ascent()), placed.line->text);
            if (placed.line->underline >= 0) {
                int const before = metrics.horizontalAdvance(placed.line->text.left(placed.line->underline));
                int const under = metrics.horizontalAdvance(placed.line->text.mid(placed.line->underline, 1));
                painter.fillRect(QRect(x + before, y + metrics.ascent() + 1, under, 1), textColor);
            }
        }
    }
    winapi::ClearVectorUpperHalves();

    bool const monochrome = surface.IsMonochrome();
    for (int y = 0; y < clip.height(); ++y) {
        auto const* source = reinterpret_cast<std::uint32_t const*>(canvas.constScanLine(y));
        auto* target = surface.Row(clip.top() + y) + clip.left();
        for (int x = 0; x < clip.width(); ++x) {
            std::uint32_t const pixel = source[x] & 0x00FFFFFFu;
            target[x] = monochrome ? NearestMonochrome(pixel) : pixel;
        }
    }
    return true;
}

}

int WINAPI DrawTextA(HDC hdc, LPCSTR lpchText, int cchText, LPRECT lprc, UINT format)
{
    if (!lprc || (!lpchText && cchText != 0))
        return 0;
    if (cchText == -1)
        cchText = static_cast<int>(std::strlen(lpchText));
    if (cchText < 0)
        return 0;
    auto* surface = winapi::GetDCSurface(hdc);
    winapi::DCTextState state {};
    if (!surface || !winapi::GetDCTextState(hdc, &state))
        return 0;

    if (!FontMatchHasRoom()) {
        winapi::gdi::NoteOutOfMemory();
        return 0;
    }
    QFont const font = SystemFont();
    QFontMetrics const metrics(font);
    QString text = QString::fromLatin1(lpchText, cchText);
    if (format & DT_EXPANDTABS)
        text = ExpandTabs(text);

    RECT const rect = *lprc;
    std::int64_t const rectWidth = std::int64_t { rect.right } - rect.left;
    std::int64_t const rectHeight = std::int64_t { rect.bottom } - rect.top;
    auto const lines = LayOutText(text, format, metrics,
        static_cast<int>(std::clamp<std::int64_t>(rectWidth, 0, INT_MAX)));
    int const lineHeight = metrics.height() + ((format & DT_EXTERNALLEADING) ? metrics.leading() : 0);
    NoteFontMatched();
    std::int64_t const textHeight = std::int64_t { lineHeight } * static_cast<std::int64_t>(lines.size());

    if (format & DT_CALCRECT) {
        int widest = 0;
        for (auto const& line : lines)
            widest = std::max(widest, metrics.horizontalAdvance(line.text));
        lprc->right = static_cast<LONG>(std::clamp<std::int64_t>(std::int64_t { rect.left } + widest, LONG_MIN, LONG_MAX));
        lprc->bottom = static_cast<LONG>(std::clamp<std::int64_t>(std::int64_t { rect.top } + textHeight, LONG_MIN, LONG_MAX));
        return static_cast<int>(std::min<std::int64_t>(textHeight, INT_MAX));
    }

    std::int64_t top = rect.top;
    bool const placedVertically = (format & DT_SINGLELINE) && (format & (DT_VCENTER | DT_BOTTOM));
    if (placedVertically) {
        if (format & DT_VCENTER)
            top = rect.top + (rectHeight - lineHeight) / 2;
        else
            top = std::int64_t { rect.bottom } - lineHeight;
    }

    QRect const clip = ClipOnSurface(*surface, rect, !(format & DT_NOCLIP));
    std::vector<PlacedLine> placed;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        int const width = metrics.horizontalAdvance(lines[i].text);
        std::int64_t x = rect.left;
        if (format & DT_CENTER)
            x = rect.left + (rectWidth - width) / 2;
        else if (format & DT_RIGHT)
            x = std::int64_t { rect.right } - width;
        std::int64_t const y = top + std::int64_t { lineHeight } * static_cast<std::int64_t>(i);
        bool const onCanvas = !clip.isEmpty() && x < std::int64_t { clip.right() } + 1 && x + width + 2 > clip.left()
            && y < std::int64_t { clip.bottom() } + 1 && y + lineHeight > clip.top();
        if (onCanvas)
            placed.push_back(PlacedLine { &lines[i], x, y, width });
    }
    if (!placed.empty() && !Paint(*surface, clip, font, placed, lineHeight, state))
        return 0;

    std::int64_t const result = placedVertically ? top - rect.top + lineHeight : textHeight;
    return static_cast<int>(std::clamp<std::int64_t>(result, INT_MIN, INT_MAX));
}
