// Building a modal dialog from its blueprint: its window, its frame and its
// controls, then WM_INITDIALOG.
#include "winapi/user/dialog_controls.h"
#include "winapi/user/dialog_frame.h"
#include "winapi/user/dialog_manager.h"
#include "winapi/user/system_classes.h"
#include "winapi/user/window.h"
#include "winapi/user/window_create.h"

#include <QGuiApplication>
#include <QScreen>

using namespace winapi::user;

namespace {

// Where the dialog's frame goes: its template position counts from the
// owner's client area, or from the screen without an owner; DS_CENTER
// centres it.
QPoint DialogPosition(DialogBlueprint const& blueprint, HWND owner)
{
    QPoint origin;
    QRect area;
    if (auto const* window = FindWindow(owner); window && window->widget) {
        origin = window->widget->mapToGlobal(QPoint(0, 0));
        area = QRect(origin, window->widget->size());
    } else if (QScreen* screen = QGuiApplication::primaryScreen()) {
        area = screen->availableGeometry();
        origin = area.topLeft();
    }
    if (blueprint.style & DS_CENTER)
        return area.center() - QPoint(blueprint.clientSize.width() / 2, blueprint.clientSize.height() / 2);
    return origin + blueprint.position;
}

HWND FirstTabStop(HWND dialog)
{
    std::vector<HWND> const stops = TabStops(dialog);
    return stops.empty() ? nullptr : stops.front();
}

HWND MakeControl(ControlBlueprint const& blueprint, HWND dialog, DialogFrame& frame, HINSTANCE instance)
{
    auto record = std::make_unique<Window>();
    record->windowClass = Classes().Find(blueprint.kind == ControlBlueprint::Kind::Button ? ButtonClassName : StaticClassName);
    record->procedure = record->windowClass->procedure;
    record->text = blueprint.text.toLatin1().toStdString();
    record->style = blueprint.style | WS_CHILD;
    record->parent = dialog;
    record->instance = instance;
    record->controlId = blueprint.id;
    record->enabled = (blueprint.style & WS_DISABLED) == 0;
    record->visible = (blueprint.style & WS_VISIBLE) != 0;
    HWND const hwnd = CreateWindowRecord(std::move(record), blueprint.rect.x(), blueprint.rect.y(), blueprint.rect.width(),
        blueprint.rect.height(), nullptr);
    if (auto* control = FindWindow(hwnd))
        control->widget = frame.AddControl(blueprint, hwnd);
    return hwnd;
}

}

namespace winapi::user {

HWND CreateModalDialog(DialogBlueprint const& blueprint, HWND owner, HINSTANCE instance, DLGPROC procedure, LPARAM parameter)
{
    EnsureSystemClasses();
    owner = TopLevelOf(owner);
    auto state = std::make_shared<DialogState>();
    state->procedure = procedure;
    if (owner && IsWindowEnabled(owner)) {
        EnableWindow(owner, FALSE);
        state->disabledOwner = owner;
    }

    auto record = std::make_unique<Window>();
    record->windowClass = Classes().Find(DialogClassName);
    record->procedure = DialogWindowProc;
    record->text = blueprint.caption.toLatin1().toStdString();
    record->style = blueprint.style & ~static_cast<DWORD>(WS_CHILD | WS_VISIBLE);
    record->owner = owner;
    record->instance = instance;
    record->dialog = state;
    HWND const dialog = CreateWindowRecord(std::move(record), blueprint.position.x(), blueprint.position.y(),
        blueprint.clientSize.width(), blueprint.clientSize.height(), nullptr);
    auto* window = FindWindow(dialog);
    if (!window) {
        if (state->disabledOwner)
            EnableWindow(state->disabledOwner, TRUE);
        return nullptr;
    }

    QWidget* ownerFrame = nullptr;
    if (auto const* ownerWindow = FindWindow(owner))
        ownerFrame = ownerWindow->frame;
    auto* frame = new DialogFrame(dialog, ownerFrame, blueprint.style, blueprint.clientSize);
    frame->setWindowTitle(blueprint.caption);
    frame->move(DialogPosition(blueprint, owner));
    window->frame = frame;
    window->widget = frame;
    for (auto const& control : blueprint.controls)
        MakeControl(control, dialog, *frame, instance);

    state->procedureActive = true;
    HWND const focus = FirstTabStop(dialog);
    LRESULT const setFocus = SendMessageA(dialog, WM_INITDIALOG, reinterpret_cast<WPARAM>(focus), parameter);
    if (setFocus && focus && IsWindow(focus))
        SetFocus(focus);
    if (IsWindow(dialog) && (blueprint.style & WS_VISIBLE) && !state->ended)
        ShowWindow(dialog, SW_SHOWNORMAL);
    if (!IsWindow(dialog)) {
        if (state->disabledOwner)
            EnableWindow(state->disabledOwner, TRUE);
        return nullptr;
    }
    return dialog;
}

}
