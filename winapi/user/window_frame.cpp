#include "winapi/user/window_frame.h"

#include "winapi/user/key_state.h"
#include "winapi/user/keyboard_input.h"
#include "winapi/user/lack_of_memory.h"
#include "winapi/user/message_queue.h"
#include "winapi/user/window.h"

#include <QCloseEvent>
#include <QImage>
#include <QPaintEvent>
#include <QPainter>
#include <QResizeEvent>

namespace winapi::user {

namespace {

bool g_framesOnScreen = true;

}

void ShowFramesOnScreen(bool onScreen)
{
    g_framesOnScreen = onScreen;
}

ClientView::ClientView(HWND hwnd, QWidget* parent)
    : QWidget(parent)
    , m_hwnd(hwnd)
{
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_InputMethodEnabled, false);
}

bool ClientView::event(QEvent* event)
{
    if (event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease) {
        // Every key, Tab included, is the program's: none moves Qt's focus.
        auto const* window = FindWindow(m_hwnd);
        if (window && window->enabled && !window->destroying)
            PostKeyEvent(m_hwnd, *static_cast<QKeyEvent*>(event));
        event->accept();
        return true;
    }
    return QWidget::event(event);
}

void ClientView::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    if (!painter.isActive()) {
        // Qt had no memory for the window's backing store.
        ReportLackOfMemory();
        return;
    }
    QRegion background(event->rect());
    auto const* window = FindWindow(m_hwnd);
    if (window && window->surface && window->surface->Width() > 0 && window->surface->Height() > 0) {
        auto const& surface = *window->surface;
        QImage const image(reinterpret_cast<uchar const*>(surface.Pixels()), surface.Width(), surface.Height(),
            static_cast<qsizetype>(surface.Width()) * 4, QImage::Format_RGB32);
        QRect const shown = event->rect() & image.rect();
        if (!shown.isEmpty()) {
            painter.drawImage(shown.topLeft(), image, shown);
            background -= shown;
        }
    }
    for (QRect const& rect : background)
        painter.fillRect(rect, Qt::white);
}

void ClientView::resizeEvent(QResizeEvent* event)
{
    if (auto* window = FindWindow(m_hwnd))
        window->pendingClientSize = event->size();
    QWidget::resizeEvent(event);
}

void ClientView::focusOutEvent(QFocusEvent* event)
{
    // Key releases now go elsewhere; forget the keys held here.
    Keys().Reset();
    QWidget::focusOutEvent(event);
}

TopLevelFrame::TopLevelFrame(HWND hwnd, QWidget* ownerFrame)
    : QWidget(ownerFrame, Qt::Window)
    , m_hwnd(hwnd)
    , m_client(new ClientView(hwnd, this))
{
    setFocusProxy(m_client);
    setAttribute(Qt::WA_DeleteOnClose, false);
    if (!g_framesOnScreen)
        setAttribute(Qt::WA_DontShowOnScreen);
}

void TopLevelFrame::InstallMenuBar(QMenuBar* menuBar)
{
    delete m_menuBar;
    m_menuBar = menuBar;
    if (m_menuBar) {
        m_menuBar->setParent(this);
        m_menuBar->setNativeMenuBar(false);
        m_menuBar->installEventFilter(this);
        m_menuBar->show();
    }
    LayOut();
}

int TopLevelFrame::MenuBarHeight(int width) const
{
    if (!m_menuBar)
        return 0;
    int const forWidth = m_menuBar->heightForWidth(width);
    return forWidth > 0 ? forWidth : m_menuBar->sizeHint().height();
}

QSize TopLevelFrame::ClientSizeFor(QSize frameSize) const
{
    return QSize(frameSize.width(), std::max(0, frameSize.height() - MenuBarHeight(frameSize.width())));
}

QSize TopLevelFrame::FrameSizeFor(QSize clientSize) const
{
    return QSize(clientSize.width(), clientSize.height() + MenuBarHeight(clientSize.width()));
}

void TopLevelFrame::closeEvent(QCloseEvent* event)
{
    // The window closes only when the program destroys it.
    event->ignore();
    auto const* window = FindWindow(m_hwnd);
    if (!window || !window->enabled || window->destroying)
        return;
    QueuedMessage close;
    close.msg = MakeMessage(m_hwnd, WM_SYSCOMMAND, SC_CLOSE, 0);
    Queue().PostInput(close);
}

void TopLevelFrame::resizeEvent(QResizeEvent* event)
{
    LayOut();
    QWidget::resizeEvent(event);
}

bool TopLevelFrame::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_menuBar) {
        switch (event->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::KeyPress:
        case QEvent::KeyRelease:
        case QEvent::Shortcut: {
            auto const* window = FindWindow(m_hwnd);
            if (!window || !window->enabled || window->destroying)
                return true;
            break;
        }
        default:
            break;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void TopLevelFrame::LayOut()
{
    int const menuHeight = MenuBarHeight(width());
    if (m_menuBar)
        m_menuBar->setGeometry(0, 0, width(), menuHeight);
    m_client->setGeometry(0, menuHeight, width(), std::max(0, height() - menuHeight));
}

}
