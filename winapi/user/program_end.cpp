#include "winapi/user/program_end.h"

#include "winapi/user/message_queue.h"
#include "winapi/user/qt_application.h"
#include "winapi/user/timers.h"
#include "winapi/user/window.h"
#include "winapi/user/window_dc.h"

namespace winapi::user {

void CloseProgramWindows()
{
    auto const handles = Windows().Handles();
    for (auto it = handles.rbegin(); it != handles.rend(); ++it) {
        auto* window = FindWindow(*it);
        if (!window)
            continue;
        ReleaseAllWindowDCs(*window);
        if (!window->IsChild() && window->frame)
            delete window->frame.data();
    }
    for (HWND hwnd : handles)
        Windows().Remove(hwnd);
    Timers().Clear();
    Queue().Clear();
}

void EndProgram()
{
    CloseProgramWindows();
    FinishApplication();
}

}
