#include "winapi/user/dialog_frame.h"

#include "winapi/user/icons.h"
#include "winapi/user/keyboard_input.h"
#include "winapi/user/message_queue.h"
#include "winapi/user/system_font.h"
#include "winapi/user/window.h"
#include "winapi/user/window_text.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>

namespace winapi::user {

namespace {

constexpr char const* WindowProperty = "win32Window";

Qt::Alignment StaticAlignment(DWORD style)
{
    switch (style & SS_TYPEMASK) {
    case SS_CENTER:
        return Qt::AlignHCenter | Qt::AlignTop;
    case SS_RIGHT:
        return Qt::AlignRight | Qt::AlignTop;
    default:
        return Qt::AlignLeft | Qt::AlignTop;
    }
}

Qt::WindowFlags DialogWindowFlags(DWORD style)
{
    Qt::WindowFlags flags = Qt::Dialog | Qt::CustomizeWindowHint | Qt::MSWindowsFixedSizeDialogHint;
    if (style & WS_CAPTION)
        flags |= Qt::WindowTitleHint;
    if (style & WS_SYSMENU)
        flags |= Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
    return flags;
}

}

HWND WindowOfWidget(QObject const* widget)
{
    if (!widget)
        return nullptr;
    QVariant const value = widget->property(WindowProperty);
    if (!value.isValid())
        return nullptr;
    return reinterpret_cast<HWND>(static_cast<std::uintptr_t>(value.toULongLong()));
}

void SetWindowOfWidget(QObject* widget, HWND hwnd)
{
    widget->setProperty(WindowProperty, static_cast<qulonglong>(reinterpret_cast<std::uintptr_t>(hwnd)));
}

DialogFrame::DialogFrame(HWND hwnd, QWidget* ownerFrame, DWORD style, QSize clientSize)
    : QWidget(ownerFrame, DialogWindowFlags(style))
    , m_hwnd(hwnd)
{
    SetWindowOfWidget(this, hwnd);
    setFont(SystemFont());
    setFixedSize(clientSize);
    setWindowModality(Qt::ApplicationModal);
    setAttribute(Qt::WA_DeleteOnClose, false);
    setFocusPolicy(Qt::StrongFocus);
}

QWidget* DialogFrame::AddControl(ControlBlueprint const& blueprint, HWND control)
{
    QWidget* widget = nullptr;
    switch (blueprint.kind) {
    case ControlBlueprint::Kind::Button: {
        auto* button = new QPushButton(WithoutMnemonicMarks(blueprint.text), this);
        button->setDefault((blueprint.style & BS_TYPEMASK) == BS_DEFPUSHBUTTON);
        button->setAutoDefault(false);
        button->setFocusPolicy((blueprint.style & WS_TABSTOP) ? Qt::StrongFocus : Qt::ClickFocus);
        QObject::connect(button, &QPushButton::clicked, button, [control]() {
            QueuedMessage click;
            click.msg = MakeMessage(control, BM_CLICK, 0, 0);
            Queue().PostInput(click);
        });
        widget = button;
        break;
    }
    case ControlBlueprint::Kind::Icon: {
        auto* label = new QLabel(this);
        QImage const image = blueprint.image.isNull() ? IconImageNearest(blueprint.icon, blueprint.rect.width()) : blueprint.image;
        if (!image.isNull())
            label->setPixmap(QPixmap::fromImage(image));
        label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        widget = label;
        break;
    }
    case ControlBlueprint::Kind::Static: {
        QString const text = (blueprint.style & SS_NOPREFIX) ? blueprint.text : WithoutMnemonicMarks(blueprint.text);
        auto* label = new QLabel(text, this);
        label->setTextFormat(Qt::PlainText);
        label->setAlignment(StaticAlignment(blueprint.style));
        label->setWordWrap((blueprint.style & SS_TYPEMASK) != SS_LEFTNOWORDWRAP && (blueprint.style & SS_TYPEMASK) != SS_SIMPLE);
        widget = label;
        break;
    }
    }
    widget->setGeometry(blueprint.rect);
    SetWindowOfWidget(widget, control);
    widget->installEventFilter(this);
    widget->setVisible((blueprint.style & WS_VISIBLE) != 0);
    widget->setEnabled((blueprint.style & WS_DISABLED) == 0);
    return widget;
}

bool DialogFrame::RouteKey(QObject* receiver, QEvent* event)
{
    if (event->type() != QEvent::KeyPress && event->type() != QEvent::KeyRelease)
        return false;
    HWND target = WindowOfWidget(receiver);
    if (!FindWindow(target))
        target = m_hwnd;
    auto const* dialog = FindWindow(m_hwnd);
    if (dialog && dialog->enabled && !dialog->destroying)
        PostKeyEvent(target, *static_cast<QKeyEvent*>(event));
    event->accept();
    return true;
}

bool DialogFrame::event(QEvent* event)
{
    if (RouteKey(this, event))
        return true;
    return QWidget::event(event);
}

bool DialogFrame::eventFilter(QObject* watched, QEvent* event)
{
    if (RouteKey(watched, event))
        return true;
    return QWidget::eventFilter(watched, event);
}

void DialogFrame::closeEvent(QCloseEvent* event)
{
    event->ignore();
    auto const* dialog = FindWindow(m_hwnd);
    if (!dialog || !dialog->enabled || dialog->destroying)
        return;
    QueuedMessage close;
    close.msg = MakeMessage(m_hwnd, WM_SYSCOMMAND, SC_CLOSE, 0);
    Queue().PostInput(close);
}

}
