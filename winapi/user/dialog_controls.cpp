#include "winapi/user/dialog_controls.h"

#include "winapi/user/system_classes.h"

namespace winapi::user {

std::shared_ptr<DialogState> DialogStateOf(HWND hwnd)
{
    auto const* window = FindWindow(hwnd);
    return window ? window->dialog : nullptr;
}

std::vector<HWND> TabStops(HWND dialog)
{
    std::vector<HWND> stops;
    for (HWND child : Windows().ChildrenOf(dialog)) {
        auto const* control = FindWindow(child);
        if ((control->style & WS_TABSTOP) && control->visible && control->enabled)
            stops.push_back(child);
    }
    return stops;
}

bool IsPushButton(Window const& window)
{
    if (!window.windowClass || window.windowClass->name != ButtonClassName)
        return false;
    DWORD const type = window.style & BS_TYPEMASK;
    return type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON;
}

void ClickButton(HWND dialog, HWND button)
{
    auto const* control = FindWindow(button);
    if (control && control->enabled)
        SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(control->controlId, BN_CLICKED), reinterpret_cast<LPARAM>(button));
}

}
