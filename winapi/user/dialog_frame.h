// The Qt window of a dialog and the widgets of its controls. Keys pressed in
// any of them become key messages of the focused control, so the dialog
// manager, not Qt, decides what Enter, Escape and Tab do. The close box posts
// WM_SYSCOMMAND SC_CLOSE to the dialog.
#pragma once

#include "winapi/user/dialog_blueprint.h"

#include <windows.h>

#include <QWidget>

namespace winapi::user {

class DialogFrame final : public QWidget {
public:
    DialogFrame(HWND hwnd, QWidget* ownerFrame, DWORD style, QSize clientSize);

    HWND Handle() const { return m_hwnd; }

    // Makes the widget of a control, placed as the blueprint says; a push button
    // posts BM_CLICK to `control` when clicked.
    QWidget* AddControl(ControlBlueprint const& blueprint, HWND control);

protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    bool RouteKey(QObject* receiver, QEvent* event);

    HWND m_hwnd;
};

// The window a widget of ours stands for (set on every widget we make).
HWND WindowOfWidget(QObject const* widget);
void SetWindowOfWidget(QObject* widget, HWND hwnd);

}
