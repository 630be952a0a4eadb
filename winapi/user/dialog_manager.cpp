#include "winapi/user/dialog_manager.h"

#include "winapi/resources/module_resources.h"
#include "winapi/user/dialog_frame.h"
#include "winapi/user/dialog_state.h"
#include "winapi/user/guarded_call.h"
#include "winapi/user/system_classes.h"
#include "winapi/user/window.h"
#include "winapi/user/window_create.h"
#include "winapi/user/window_frame.h"

#include <QApplication>
#include <QGuiApplication>
#include <QScreen>

#include <algorithm>
#include <cctype>
#include <new>

using namespace winapi::user;

namespace {

std::vector<HWND> g_modalDialogs;

HWND TopLevelOf(HWND hwnd)
{
    for (int depth = 0; hwnd && depth < 256; ++depth) {
        auto const* window = FindWindow(hwnd);
        if (!window)
            return nullptr;
        if (!window->IsChild())
            return hwnd;
        hwnd = window->parent;
    }
    return nullptr;
}

std::shared_ptr<DialogState> StateOf(HWND hwnd)
{
    auto const* window = FindWindow(hwnd);
    return window ? window->dialog : nullptr;
}

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
    for (HWND child : Windows().ChildrenOf(dialog)) {
        auto const* control = FindWindow(child);
        if ((control->style & WS_TABSTOP) && control->visible && control->enabled)
            return child;
    }
    return nullptr;
}

HWND NextTabStop(HWND dialog, HWND from, bool backwards)
{
    std::vector<HWND> stops;
    for (HWND child : Windows().ChildrenOf(dialog)) {
        auto const* control = FindWindow(child);
        if ((control->style & WS_TABSTOP) && control->visible && control->enabled)
            stops.push_back(child);
    }
    if (stops.empty())
        return nullptr;
    auto const at = std::find(stops.begin(), stops.end(), from);
    if (at == stops.end())
        return stops.front();
    auto index = static_cast<std::size_t>(at - stops.begin());
    index = backwards ? (index + stops.size() - 1) % stops.size() : (index + 1) % stops.size();
    return stops[index];
}

bool IsPushButton(Window const& window)
{
    if (!window.windowClass || window.windowClass->name != ButtonClassName)
        return false;
    DWORD const type = window.style & BS_TYPEMASK;
    return type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON;
}

// The mnemonic of a control text: the character after a single "&".
std::optional<char> MnemonicOf(std::string const& text)
{
    for (std::size_t i = 0; i + 1 < text.size(); ++i) {
        if (text[i] != '&')
            continue;
        if (text[i + 1] == '&') {
            ++i;
            continue;
        }
        return static_cast<char>(std::tolower(static_cast<unsigned char>(text[i + 1])));
    }
    return std::nullopt;
}

void ClickButton(HWND dialog, HWND button)
{
    auto const* control = FindWindow(button);
    if (control && control->enabled)
        SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(control->controlId, BN_CLICKED), reinterpret_cast<LPARAM>(button));
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

namespace {

// Whether any message but WM_TIMER can be retrieved now.
bool NonTimerMessageWaiting()
{
    MSG probe {};
    return PeekMessageA(&probe, nullptr, 0, WM_TIMER - 1, PM_NOREMOVE)
        || PeekMessageA(&probe, nullptr, WM_TIMER + 1, 0xFFFFFFFF, PM_NOREMOVE);
}

}

INT_PTR RunModalLoop(HWND dialog)
{
    auto const state = StateOf(dialog);
    if (!state)
        return -1;
    g_modalDialogs.push_back(dialog);
    HWND const owner = FindWindow(dialog)->owner;
    bool const idleMessages = !(FindWindow(dialog)->style & DS_NOIDLEMSG);

    MSG msg {};
    while (!state->ended && IsWindow(dialog)) {
        // With a timer whose handler outlasts its period, a timer message
        // is always due and the queue never runs dry: the dialog appears as
        // soon as nothing but timer messages is left.
        if (!IsWindowVisible(dialog) && !NonTimerMessageWaiting())
            ShowWindow(dialog, SW_SHOWNORMAL);
        if (!PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            // A dialog appears once its queue first runs dry.
            if (!IsWindowVisible(dialog))
                ShowWindow(dialog, SW_SHOWNORMAL);
            if (owner && idleMessages)
                SendMessageA(owner, WM_ENTERIDLE, MSGF_DIALOGBOX, reinterpret_cast<LPARAM>(dialog));
            if (state->ended || !IsWindow(dialog))
                break;
            if (!GetMessageA(&msg, nullptr, 0, 0)) {
                PostQuitMessage(static_cast<int>(msg.wParam));
                break;
            }
        }
        if (!IsWindow(dialog))
            break;
        if (!state->ended && !IsDialogMessageA(dialog, &msg)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
    }

    std::erase(g_modalDialogs, dialog);
    if (state->disabledOwner) {
        EnableWindow(state->disabledOwner, TRUE);
        state->disabledOwner = nullptr;
    }
    if (IsWindow(dialog))
        DestroyWindow(dialog);
    return state->result;
}

std::vector<HWND> const& OpenModalDialogs()
{
    return g_modalDialogs;
}

LRESULT CALLBACK DialogWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto const state = StateOf(hwnd);
    if (state && state->procedureActive && state->procedure) {
        state->messageResult = 0;
        DLGPROC const procedure = state->procedure;
        INT_PTR const handled = CallGuarded([&] { return procedure(hwnd, message, wParam, lParam); });
        if (handled) {
            switch (message) {
            case WM_INITDIALOG:
            case WM_GETDLGCODE:
                return handled;
            default:
                return state->messageResult;
            }
        }
        if (!IsWindow(hwnd))
            return 0;
    }
    switch (message) {
    case WM_CLOSE:
        // The close box and Alt+F4 cancel a dialog.
        PostMessageA(hwnd, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(hwnd, IDCANCEL)));
        return 0;
    case WM_ERASEBKGND:
        return 1;
    case WM_NCDESTROY:
        // A modal loop waiting for messages learns that its dialog is gone.
        if (state && !state->ended)
            PostMessageA(nullptr, WM_NULL, 0, 0);
        return DefWindowProcA(hwnd, message, wParam, lParam);
    case DM_GETDEFID:
        for (HWND child : Windows().ChildrenOf(hwnd)) {
            auto const* control = FindWindow(child);
            if (IsPushButton(*control) && (control->style & BS_TYPEMASK) == BS_DEFPUSHBUTTON)
                return MAKELONG(control->controlId, DC_HASDEFID);
        }
        return 0;
    case WM_INITDIALOG:
    case WM_COMMAND:
        return 0;
    default:
        return DefWindowProcA(hwnd, message, wParam, lParam);
    }
}

LRESULT CALLBACK ButtonWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto const* window = FindWindow(hwnd);
    if (!window)
        return 0;
    switch (message) {
    case WM_GETDLGCODE: {
        LRESULT code = DLGC_BUTTON;
        if (IsPushButton(*window))
            code |= (window->style & BS_TYPEMASK) == BS_DEFPUSHBUTTON ? DLGC_DEFPUSHBUTTON : DLGC_UNDEFPUSHBUTTON;
        return code;
    }
    case BM_CLICK:
        ClickButton(window->parent, hwnd);
        return 0;
    case WM_KEYUP:
        if (wParam == VK_SPACE)
            ClickButton(window->parent, hwnd);
        return 0;
    default:
        return DefWindowProcA(hwnd, message, wParam, lParam);
    }
}

LRESULT CALLBACK StaticWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_GETDLGCODE)
        return DLGC_STATIC;
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

}

BOOL WINAPI IsDialogMessageA(HWND hDlg, LPMSG lpMsg)
{
    if (!lpMsg || !FindWindow(hDlg) || !IsSameOrDescendant(lpMsg->hwnd, hDlg))
        return FALSE;

    if (lpMsg->message == WM_KEYDOWN) {
        LRESULT const code = SendMessageA(lpMsg->hwnd, WM_GETDLGCODE, lpMsg->wParam, reinterpret_cast<LPARAM>(lpMsg));
        if (!(code & DLGC_WANTMESSAGE)) {
            switch (lpMsg->wParam) {
            case VK_TAB:
                if (!(code & DLGC_WANTTAB)) {
                    if (HWND next = NextTabStop(hDlg, lpMsg->hwnd, GetKeyState(VK_SHIFT) < 0))
                        SetFocus(next);
                    return TRUE;
                }
                break;
            case VK_ESCAPE:
                SendMessageA(hDlg, WM_COMMAND, IDCANCEL, reinterpret_cast<LPARAM>(GetDlgItem(hDlg, IDCANCEL)));
                return TRUE;
            case VK_RETURN: {
                auto const* focus = FindWindow(lpMsg->hwnd);
                if (lpMsg->hwnd != hDlg && focus && (code & (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON))) {
                    ClickButton(hDlg, lpMsg->hwnd);
                    return TRUE;
                }
                LRESULT const defaultId = SendMessageA(hDlg, DM_GETDEFID, 0, 0);
                if (HIWORD(defaultId) == DC_HASDEFID) {
                    HWND const button = GetDlgItem(hDlg, LOWORD(defaultId));
                    if (!button || IsWindowEnabled(button))
                        SendMessageA(hDlg, WM_COMMAND, MAKEWPARAM(LOWORD(defaultId), BN_CLICKED), reinterpret_cast<LPARAM>(button));
                } else {
                    SendMessageA(hDlg, WM_COMMAND, IDOK, reinterpret_cast<LPARAM>(GetDlgItem(hDlg, IDOK)));
                }
                return TRUE;
            }
            default:
                break;
            }
        }
    } else if (lpMsg->message == WM_CHAR || lpMsg->message == WM_SYSCHAR) {
        // A control's mnemonic presses it.
        char const typed = static_cast<char>(std::tolower(static_cast<int>(lpMsg->wParam & 0xFF)));
        for (HWND child : Windows().ChildrenOf(hDlg)) {
            auto const* control = FindWindow(child);
            if (IsPushButton(*control) && control->visible && MnemonicOf(control->text) == typed) {
                ClickButton(hDlg, child);
                return TRUE;
            }
        }
    }
    TranslateMessage(lpMsg);
    DispatchMessageA(lpMsg);
    return TRUE;
}

HWND WINAPI GetDlgItem(HWND hDlg, int nIDDlgItem)
{
    if (!FindWindow(hDlg))
        return nullptr;
    for (HWND child : Windows().ChildrenOf(hDlg)) {
        if (FindWindow(child)->controlId == nIDDlgItem)
            return child;
    }
    return nullptr;
}

int WINAPI GetDlgCtrlID(HWND hWnd)
{
    auto const* window = FindWindow(hWnd);
    return window && window->IsChild() ? window->controlId : 0;
}

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

BOOL WINAPI EndDialog(HWND hDlg, INT_PTR nResult)
{
    auto* window = FindWindow(hDlg);
    if (!window || !window->dialog)
        return FALSE;
    auto const state = window->dialog;
    state->result = nResult;
    state->ended = true;
    if (state->disabledOwner) {
        EnableWindow(state->disabledOwner, TRUE);
        state->disabledOwner = nullptr;
    }
    if ((window = FindWindow(hDlg)) != nullptr) {
        window->visible = false;
        window->style &= ~static_cast<DWORD>(WS_VISIBLE);
        if (window->frame)
            window->frame->hide();
    }
    // Wakes the modal loop.
    PostMessageA(hDlg, WM_NULL, 0, 0);
    return TRUE;
}

INT_PTR WINAPI DialogBoxParamA(HINSTANCE hInstance, LPCSTR lpTemplateName, HWND hWndParent, DLGPROC lpDialogFunc,
    LPARAM dwInitParam)
try {
    if (hWndParent && !FindWindow(hWndParent))
        return -1;
    auto const dialogTemplate = winapi::resources::LoadDialogTemplate(hInstance, lpTemplateName);
    if (!dialogTemplate)
        return -1;
    DialogBlueprint const blueprint = DialogBlueprintFromTemplate(*dialogTemplate, hInstance);
    HWND const dialog = CreateModalDialog(blueprint, hWndParent, hInstance, lpDialogFunc, dwInitParam);
    if (!dialog)
        return -1;
    return RunModalLoop(dialog);
}
catch (std::bad_alloc const&) {
    // No memory for the dialog's window or its controls.
    return -1;
}
