// TranslateAcceleratorA.

#include "winapi/resources/module_resources.h"
#include "winapi/user/accelerator_match.h"
#include "winapi/user/key_state.h"
#include "winapi/user/window.h"

#include <windows.h>

using namespace winapi::user;

int WINAPI TranslateAcceleratorA(HWND hWnd, HACCEL hAccTable, LPMSG lpMsg)
{
    if (!lpMsg || !FindWindow(hWnd))
        return 0;
    auto const* table = winapi::resources::AcceleratorTableFromHandle(hAccTable);
    if (!table)
        return 0;
    auto const& keys = Keys();
    ModifierKeys const modifiers { keys.IsDown(VK_SHIFT), keys.IsDown(VK_CONTROL), keys.IsDown(VK_MENU) };
    auto const command = MatchAccelerator(table->entries, *lpMsg, modifiers);
    if (!command)
        return 0;
    // The key is used up either way; a disabled window gets no command.
    if (IsWindowEnabled(hWnd))
        SendMessageA(hWnd, WM_COMMAND, MAKEWPARAM(*command, 1), 0);
    return 1;
}
