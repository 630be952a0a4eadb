// The keyboard focus: GetFocus and SetFocus, on the Qt widgets of windows.
#include "winapi/user/dialog_frame.h"
#include "winapi/user/window.h"
#include "winapi/user/window_frame.h"

#include <QApplication>

using namespace winapi::user;

HWND WINAPI GetFocus()
{
    QWidget const* focus = QApplication::focusWidget();
    for (QObject const* object = focus; object; object = object->parent()) {
        if (HWND const hwnd = WindowOfWidget(object); FindWindow(hwnd))
            return hwnd;
    }
    if (auto const* view = dynamic_cast<ClientView const*>(focus))
        return FindWindow(view->Handle()) ? view->Handle() : nullptr;
    return nullptr;
}

HWND WINAPI SetFocus(HWND hWnd)
{
    HWND const previous = GetFocus();
    auto const* window = FindWindow(hWnd);
    if (!window)
        return previous;
    if (window->widget)
        window->widget->setFocus(Qt::OtherFocusReason);
    return previous;
}
