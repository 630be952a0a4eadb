// The Qt widgets of a top-level window: the frame with its menu bar, and the
// view that shows the client surface and takes the keyboard.
#pragma once

#include <windows.h>

#include <QMenuBar>
#include <QWidget>

namespace winapi::user {

// Shows the window's client surface as it is; uncovering the window needs
// no WM_PAINT. Keys become key messages of the window.
class ClientView final : public QWidget {
public:
    ClientView(HWND hwnd, QWidget* parent);

    HWND Handle() const { return m_hwnd; }

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    HWND m_hwnd;
};

// Whether top-level frames made from now on reach a screen. A headless run
// turns this off: Qt then never paints the frames or their menu bars (its
// text layout there can crash inside Qt when memory runs out), while the
// client areas keep their sizes and surfaces.
void ShowFramesOnScreen(bool onScreen);

// The Qt window: an optional menu bar across the top and the client view
// below it. Its close box posts WM_SYSCOMMAND SC_CLOSE to the window.
class TopLevelFrame final : public QWidget {
public:
    TopLevelFrame(HWND hwnd, QWidget* ownerFrame);

    HWND Handle() const { return m_hwnd; }
    ClientView* Client() const { return m_client; }
    QMenuBar* MenuBar() const { return m_menuBar; }
    void InstallMenuBar(QMenuBar* menuBar);

    // The height the menu bar takes at this frame width (0 without one).
    int MenuBarHeight(int width) const;
    QSize ClientSizeFor(QSize frameSize) const;
    QSize FrameSizeFor(QSize clientSize) const;

protected:
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    // A disabled window's menu bar takes no input (while a modal dialog
    // runs, for one), yet looks as usual, as in Win32.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void LayOut();

    HWND m_hwnd;
    ClientView* m_client;
    QMenuBar* m_menuBar = nullptr;
};

}
