#include "winapi/user/window_text.h"

#include <QAbstractButton>
#include <QLabel>

namespace winapi::user {

QString FromAnsi(std::string const& text)
{
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

QString WithoutMnemonicMarks(QString const& text)
{
    QString result;
    result.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == u'&') {
            if (i + 1 < text.size() && text[i + 1] == u'&') {
                result += u'&';
                ++i;
            }
            continue;
        }
        result += text[i];
    }
    return result;
}

void ApplyWindowText(Window& window)
{
    QString const text = FromAnsi(window.text);
    if (!window.IsChild()) {
        if (window.frame)
            window.frame->setWindowTitle(text);
        return;
    }
    if (auto* button = qobject_cast<QAbstractButton*>(window.widget.data())) {
        button->setText(WithoutMnemonicMarks(text));
    } else if (auto* label = qobject_cast<QLabel*>(window.widget.data())) {
        if (label->pixmap().isNull())
            label->setText((window.style & SS_NOPREFIX) ? text : WithoutMnemonicMarks(text));
    }
}

}

using namespace winapi::user;

BOOL WINAPI SetWindowTextA(HWND hWnd, LPCSTR lpString)
{
    if (!FindWindow(hWnd))
        return FALSE;
    return SendMessageA(hWnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(lpString)) ? TRUE : FALSE;
}

int WINAPI GetWindowTextA(HWND hWnd, LPSTR lpString, int nMaxCount)
{
    if (!FindWindow(hWnd) || !lpString || nMaxCount <= 0)
        return 0;
    return static_cast<int>(SendMessageA(hWnd, WM_GETTEXT, static_cast<WPARAM>(nMaxCount), reinterpret_cast<LPARAM>(lpString)));
}
