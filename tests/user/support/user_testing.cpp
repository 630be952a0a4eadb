#include "tests/user/support/user_testing.h"

#include "winapi/user/clock.h"
#include "winapi/user/dialog_frame.h"
#include "winapi/user/dialog_manager.h"
#include "winapi/user/key_state.h"
#include "winapi/user/menu_bar.h"
#include "winapi/user/message_loop.h"
#include "winapi/user/message_queue.h"
#include "winapi/user/qt_application.h"
#include "winapi/user/timers.h"
#include "winapi/user/virtual_keys.h"
#include "winapi/user/window.h"
#include "winapi/user/window_frame.h"

#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QTest>

#include <cstring>

namespace winapi::testing {

using namespace winapi::user;

namespace {

QWidget* TopLevelWidgetOf(HWND hwnd)
{
    for (int depth = 0; hwnd && depth < 256; ++depth) {
        auto const* window = FindWindow(hwnd);
        if (!window)
            return nullptr;
        if (!window->IsChild())
            return window->frame;
        hwnd = window->parent;
    }
    return nullptr;
}

bool IsWindowAndAncestorsEnabled(HWND hwnd)
{
    return HoldsUpToTopLevel(hwnd, [](Window const& window) { return window.enabled; });
}

Image ImageFromQImage(QImage const& source)
{
    QImage const converted = source.convertToFormat(QImage::Format_RGB32);
    Image image;
    image.width = converted.width();
    image.height = converted.height();
    image.pixels.resize(static_cast<std::size_t>(image.width) * static_cast<std::size_t>(image.height));
    for (int y = 0; y < image.height; ++y) {
        auto const* row = reinterpret_cast<std::uint32_t const*>(converted.constScanLine(y));
        for (int x = 0; x < image.width; ++x)
            image.pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(image.width) + static_cast<std::size_t>(x)]
                = row[x] & 0x00FFFFFFu;
    }
    return image;
}

MenuItemInfo DescribeAction(QAction const* action)
{
    MenuItemInfo info;
    info.text = action->text().toStdString();
    info.enabled = action->isEnabled();
    info.hasShortcut = !action->shortcut().isEmpty();
    if (QMenu const* popup = action->menu()) {
        info.popup = true;
        for (QAction const* child : popup->actions()) {
            if (!child->isSeparator())
                info.items.push_back(DescribeAction(child));
        }
    } else {
        info.id = MenuCommandOf(action).value_or(0);
    }
    return info;
}

void DispatchOne(MSG& msg)
{
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
}

}

void UseVirtualClock()
{
    UserClock().UseVirtualTime();
}

void UseRealClock()
{
    UserClock().UseRealTime();
}

DWORD CurrentTime()
{
    return static_cast<DWORD>(UserClock().Now());
}

void AdvanceClock(DWORD milliseconds)
{
    UserClock().AdvanceTo(UserClock().Now() + milliseconds);
}

bool PumpUntil(std::function<bool()> const& done, int maxMessages)
{
    MSG msg;
    for (int count = 0; count < maxMessages; ++count) {
        if (done())
            return true;
        if (!PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            auto const nextDue = Timers().NextDue();
            if (!UserClock().IsVirtual() || !nextDue)
                return done();
            UserClock().AdvanceTo(*nextDue);
            continue;
        }
        if (msg.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(msg.wParam));
            return done();
        }
        DispatchOne(msg);
    }
    return done();
}

bool PressKey(HWND hwnd, int virtualKey, unsigned modifiers)
{
    if (!FindWindow(hwnd) || !IsWindowAndAncestorsEnabled(hwnd))
        return false;
    auto const stroke = QtKeyFromVirtualKey(virtualKey, (modifiers & Shift) != 0);
    if (!stroke)
        return false;

    QWidget* target = QApplication::activePopupWidget();
    if (!target) {
        QWidget* topLevel = TopLevelWidgetOf(hwnd);
        if (!topLevel)
            return false;
        if (QApplication::activeWindow() != topLevel) {
            topLevel->activateWindow();
            ProcessQtEvents();
        }
        auto const* window = FindWindow(hwnd);
        target = window->IsChild() ? window->widget.data() : topLevel->focusWidget();
        if (!target)
            target = window->widget ? window->widget.data() : topLevel;
    }

    Qt::KeyboardModifiers qtModifiers;
    if (modifiers & Shift)
        qtModifiers |= Qt::ShiftModifier;
    if (modifiers & Control)
        qtModifiers |= Qt::ControlModifier;
    if (modifiers & Alt)
        qtModifiers |= Qt::AltModifier;
    if (stroke->keypad)
        qtModifiers |= Qt::KeypadModifier;
    QTest::sendKeyEvent(QTest::Click, target, stroke->key, stroke->text, qtModifiers);
    ProcessQtEvents();
    return true;
}

std::vector<MenuItemInfo> MenuBarItems(HWND hwnd)
{
    std::vector<MenuItemInfo> items;
    auto const* window = FindWindow(hwnd);
    auto const* frame = window ? dynamic_cast<TopLevelFrame const*>(window->frame.data()) : nullptr;
    if (!frame || !frame->MenuBar())
        return items;
    for (QAction const* action : frame->MenuBar()->actions()) {
        if (!action->isSeparator())
            items.push_back(DescribeAction(action));
    }
    return items;
}

bool ChooseMenuItem(HWND hwnd, UINT id)
{
    auto const* window = FindWindow(hwnd);
    if (!window || !window->enabled)
        return false;
    auto const* frame = dynamic_cast<TopLevelFrame const*>(window->frame.data());
    if (!frame)
        return false;
    QAction* action = FindMenuCommand(frame->MenuBar(), id);
    if (!action || !action->isEnabled())
        return false;
    action->trigger();
    return true;
}

std::string OpenMenuTitle()
{
    auto const* menu = qobject_cast<QMenu const*>(QApplication::activePopupWidget());
    return menu ? menu->title().toStdString() : std::string();
}

bool ClickCloseBox(HWND hwnd)
{
    auto const* window = FindWindow(hwnd);
    if (!window || window->IsChild() || !window->enabled || !window->frame)
        return false;
    window->frame->close();
    return true;
}

Image ShownClient(HWND hwnd)
{
    auto const* window = FindWindow(hwnd);
    if (!window || !window->widget)
        return {};
    QPixmap const shown = window->widget->grab();
    QImage image = shown.toImage();
    if (image.devicePixelRatio() != 1.0)
        image = image.scaled(window->widget->size());
    return ImageFromQImage(image);
}

HWND ActiveModalDialog()
{
    auto const& dialogs = OpenModalDialogs();
    return dialogs.empty() ? nullptr : dialogs.back();
}

std::vector<ControlInfo> DialogControls(HWND dialog)
{
    std::vector<ControlInfo> controls;
    auto const* dialogWindow = FindWindow(dialog);
    if (!dialogWindow)
        return controls;
    for (HWND child : Windows().ChildrenOf(dialog)) {
        auto const* window = FindWindow(child);
        ControlInfo info;
        info.id = window->controlId;
        info.className = window->windowClass ? window->windowClass->name : std::string();
        info.text = window->text;
        info.style = window->style;
        info.enabled = window->enabled;
        if (QWidget const* widget = window->widget) {
            QRect const geometry = widget->geometry();
            info.rect = RECT { geometry.left(), geometry.top(), geometry.left() + geometry.width(), geometry.top() + geometry.height() };
            info.visible = dialogWindow->frame ? widget->isVisibleTo(dialogWindow->frame) : widget->isVisible();
            info.focused = dialogWindow->frame && dialogWindow->frame->focusWidget() == widget;
            if (auto const* button = qobject_cast<QPushButton const*>(widget))
                info.isDefault = button->isDefault();
            if (auto const* label = qobject_cast<QLabel const*>(widget); label && !label->pixmap().isNull()) {
                info.imageWidth = label->pixmap().width();
                info.imageHeight = label->pixmap().height();
            }
        }
        controls.push_back(std::move(info));
    }
    return controls;
}

SIZE DialogClientSize(HWND dialog)
{
    auto const* window = FindWindow(dialog);
    if (!window || !window->frame)
        return SIZE { 0, 0 };
    return SIZE { window->frame->width(), window->frame->height() };
}

bool ClickDialogButton(HWND dialog, int id)
{
    auto const* control = FindWindow(GetDlgItem(dialog, id));
    if (!control || !control->enabled)
        return false;
    auto* button = qobject_cast<QPushButton*>(control->widget.data());
    if (!button || !button->isEnabled())
        return false;
    button->click();
    return true;
}

Step Do(std::function<void()> action)
{
    return [action = std::move(action)]() {
        action();
        return true;
    };
}

Step WaitUntil(std::function<bool()> condition)
{
    return condition;
}

RunResult RunWinMain(WinMainFunction winMain, std::vector<Step> steps, int maxIdle)
{
    RunResult result;
    int idleMoments = 0;
    bool stopping = false;
    SetIdleHook([&]() {
        ++idleMoments;
        if (!stopping && result.stepsDone < steps.size() && idleMoments <= maxIdle) {
            if (steps[result.stepsDone]())
                ++result.stepsDone;
            return;
        }
        // Out of steps (or of patience) with the program still running:
        // close its windows, dialogs first, then make sure it quits.
        if (!stopping) {
            stopping = true;
            auto windows = Windows().TopLevelHandles();
            for (auto it = windows.rbegin(); it != windows.rend(); ++it)
                DestroyWindow(*it);
            return;
        }
        PostQuitMessage(-1);
    });
    EnsureApplication();
    static char commandLine[] = "";
    result.exitCode = winMain(headless::ProgramInstance(), nullptr, commandLine, SW_SHOWDEFAULT);
    SetIdleHook({});
    result.finished = !stopping && result.stepsDone == steps.size();
    return result;
}

void ResetUser()
{
    SetIdleHook({});
    auto windows = Windows().TopLevelHandles();
    for (auto it = windows.rbegin(); it != windows.rend(); ++it)
        DestroyWindow(*it);
    Queue().Clear();
    Timers().Clear();
    Keys().Reset();
    Classes().RemoveProgramClasses();
    ProcessQtEvents();
}

}
