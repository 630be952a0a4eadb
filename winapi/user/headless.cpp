#include "winapi/user/headless.h"

#include "winapi/gdi/surface.h"
#include "winapi/resources/module_resources.h"
#include "winapi/user/clock.h"
#include "winapi/user/program_end.h"
#include "winapi/user/qt_application.h"
#include "winapi/user/qt_messages.h"
#include "winapi/user/window.h"
#include "winapi/user/window_frame.h"
#include "winapi/user/window_geometry.h"

#include <cstdio>
#include <cstdlib>

namespace winapi::headless {

using namespace winapi::user;

void Start(int displayWidth, int displayHeight)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    FilterQtMessages(QtMessageAudience::Headless);
    ShowFramesOnScreen(false);
    EnsureApplication();
    UserClock().UseVirtualTime();
    SetDisplaySize(displayWidth, displayHeight);
}

HINSTANCE ProgramInstance()
{
    return winapi::resources::MainModule();
}

std::vector<HWND> TopLevelWindows()
{
    return Windows().TopLevelHandles();
}

bool ResizeClient(HWND hwnd, int width, int height)
{
    auto* window = FindWindow(hwnd);
    if (!window || !window->HasSurface())
        return false;
    QSize const size = ClampClientSize(QSize(width, height));
    if (auto* frame = dynamic_cast<TopLevelFrame*>(window->frame.data()))
        frame->resize(frame->FrameSizeFor(size));
    ProcessQtEvents();
    if ((window = FindWindow(hwnd)) != nullptr)
        window->pendingClientSize = size;
    return true;
}

int DispatchPending(int maxMessages)
{
    int dispatched = 0;
    MSG msg;
    while (dispatched < maxMessages && PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            // Left for the caller's loop, as a modal loop leaves it.
            PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
        ++dispatched;
    }
    return dispatched;
}

Image ClientPixels(HWND hwnd)
{
    Image image;
    auto const* window = FindWindow(hwnd);
    if (!window || !window->surface)
        return image;
    auto const& surface = *window->surface;
    image.width = surface.Width();
    image.height = surface.Height();
    std::size_t const count = static_cast<std::size_t>(image.width) * static_cast<std::size_t>(image.height);
    if (count > 0)
        image.pixels.assign(surface.Pixels(), surface.Pixels() + count);
    return image;
}

void CloseWindows()
{
    CloseProgramWindows();
}

}
