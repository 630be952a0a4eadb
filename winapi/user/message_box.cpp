// MessageBoxA: a small modal dialog with the text, an icon and the buttons
// the type asks for, run by the dialog manager.

#include "winapi/user/dialog_manager.h"
#include "winapi/user/system_font.h"

#include <windows.h>

#include <QApplication>
#include <QFontMetrics>
#include <QStyle>

#include <algorithm>
#include <system_error>
#include <thread>
#include <vector>

using namespace winapi::user;

namespace {

constexpr int Margin = 20;
constexpr int IconSide = 32;
constexpr int IconGap = 12;
constexpr int MaxTextWidth = 420;
constexpr int ButtonWidth = 88;
constexpr int ButtonHeight = 26;
constexpr int ButtonGap = 8;
constexpr int ButtonMargin = 12;
constexpr int TextControlId = 0xFFFF;
constexpr int IconControlId = 20;

struct ButtonKind {
    int id;
    char const* text;
};

std::vector<ButtonKind> ButtonsOf(UINT type)
{
    switch (type & MB_TYPEMASK) {
    case MB_OKCANCEL:
        return { { IDOK, "OK" }, { IDCANCEL, "Cancel" } };
    case MB_ABORTRETRYIGNORE:
        return { { IDABORT, "&Abort" }, { IDRETRY, "&Retry" }, { IDIGNORE, "&Ignore" } };
    case MB_YESNOCANCEL:
        return { { IDYES, "&Yes" }, { IDNO, "&No" }, { IDCANCEL, "Cancel" } };
    case MB_YESNO:
        return { { IDYES, "&Yes" }, { IDNO, "&No" } };
    case MB_RETRYCANCEL:
        return { { IDRETRY, "&Retry" }, { IDCANCEL, "Cancel" } };
    default:
        return { { IDOK, "OK" } };
    }
}

QImage IconOf(UINT type)
{
    QStyle::StandardPixmap pixmap;
    switch (type & MB_ICONMASK) {
    case MB_ICONHAND:
        pixmap = QStyle::SP_MessageBoxCritical;
        break;
    case MB_ICONQUESTION:
        pixmap = QStyle::SP_MessageBoxQuestion;
        break;
    case MB_ICONEXCLAMATION:
        pixmap = QStyle::SP_MessageBoxWarning;
        break;
    case MB_ICONASTERISK:
        pixmap = QStyle::SP_MessageBoxInformation;
        break;
    default:
        return {};
    }
    return QApplication::style()->standardIcon(pixmap).pixmap(IconSide, IconSide).toImage();
}

INT_PTR CALLBACK MessageBoxProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM)
{
    if (message == WM_INITDIALOG)
        return TRUE;
    if (message != WM_COMMAND)
        return FALSE;
    int const id = LOWORD(wParam);
    if (id == TextControlId || id == IconControlId)
        return FALSE;
    if (GetDlgItem(hwnd, id)) {
        EndDialog(hwnd, id);
        return TRUE;
    }
    // Escape without a Cancel button: a box with only OK takes it as OK.
    if (id == IDCANCEL && GetDlgItem(hwnd, IDOK) && !GetDlgItem(hwnd, IDNO) && !GetDlgItem(hwnd, IDRETRY)) {
        EndDialog(hwnd, IDOK);
        return TRUE;
    }
    return FALSE;
}

}

namespace {

// Qt starts threads of its own for a first dialog (the session bus, the
// theme); where the process cannot start one, as when memory has run out,
// Qt would wait for it for ever.
bool ThreadsCanStart()
{
    try {
        std::thread probe([] { });
        probe.join();
        return true;
    } catch (std::system_error const&) {
        return false;
    }
}

int ShowMessageBox(HWND hWnd, LPCSTR lpText, LPCSTR lpCaption, UINT uType)
{
    if (hWnd && !IsWindow(hWnd))
        hWnd = nullptr;
    QString const text = QString::fromLatin1(lpText ? lpText : "");
    QFontMetrics const metrics(SystemFont());
    QRect const textBounds = metrics.boundingRect(QRect(0, 0, MaxTextWidth, 100000), Qt::TextWordWrap, text);

    DialogBlueprint blueprint;
    blueprint.caption = QString::fromLatin1(lpCaption ? lpCaption : "Error");
    blueprint.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_CENTER;

    int textLeft = Margin;
    int contentBottom = Margin;
    QImage const icon = IconOf(uType);
    if (!icon.isNull()) {
        ControlBlueprint iconControl;
        iconControl.kind = ControlBlueprint::Kind::Icon;
        iconControl.style = WS_CHILD | WS_VISIBLE | SS_ICON;
        iconControl.id = IconControlId;
        iconControl.rect = QRect(Margin, Margin, IconSide, IconSide);
        iconControl.image = icon;
        blueprint.controls.push_back(iconControl);
        textLeft += IconSide + IconGap;
        contentBottom = Margin + IconSide;
    }
    ControlBlueprint textControl;
    textControl.kind = ControlBlueprint::Kind::Static;
    textControl.style = WS_CHILD | WS_VISIBLE | SS_LEFT | SS_NOPREFIX;
    textControl.id = TextControlId;
    textControl.rect = QRect(textLeft, Margin, textBounds.width() + 2, textBounds.height());
    textControl.text = text;
    blueprint.controls.push_back(textControl);
    contentBottom = std::max(contentBottom, Margin + textBounds.height());

    auto const buttons = ButtonsOf(uType);
    int const defaultIndex = static_cast<int>((uType >> 8) & 0xF);
    int const buttonsWidth = static_cast<int>(buttons.size()) * ButtonWidth + (static_cast<int>(buttons.size()) - 1) * ButtonGap;
    int const width = std::max(textLeft + textBounds.width() + Margin, buttonsWidth + 2 * ButtonMargin);
    int const buttonsTop = contentBottom + Margin;
    int x = width - ButtonMargin - buttonsWidth;
    for (std::size_t i = 0; i < buttons.size(); ++i) {
        ControlBlueprint button;
        button.kind = ControlBlueprint::Kind::Button;
        bool const isDefault = static_cast<int>(i) == (defaultIndex < static_cast<int>(buttons.size()) ? defaultIndex : 0);
        button.style = WS_CHILD | WS_VISIBLE | WS_TABSTOP | (isDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON);
        button.id = buttons[i].id;
        button.rect = QRect(x, buttonsTop, ButtonWidth, ButtonHeight);
        button.text = QString::fromLatin1(buttons[i].text);
        blueprint.controls.push_back(button);
        x += ButtonWidth + ButtonGap;
    }
    // The default button takes the first place in the tab order.
    if (defaultIndex > 0 && defaultIndex < static_cast<int>(buttons.size())) {
        auto const first = blueprint.controls.end() - static_cast<std::ptrdiff_t>(buttons.size());
        std::rotate(first, first + defaultIndex, first + defaultIndex + 1);
    }
    blueprint.clientSize = QSize(width, buttonsTop + ButtonHeight + ButtonMargin);

    HWND const box = CreateModalDialog(blueprint, hWnd, nullptr, MessageBoxProc, 0);
    if (!box)
        return 0;
    return static_cast<int>(RunModalLoop(box));
}

}

int WINAPI MessageBoxA(HWND hWnd, LPCSTR lpText, LPCSTR lpCaption, UINT uType)
{
    // A box that cannot be shown fails at once, the Win32 way: 0.
    if (!ThreadsCanStart())
        return 0;
    try {
        return ShowMessageBox(hWnd, lpText, lpCaption, uType);
    } catch (...) {
        return 0;
    }
}
