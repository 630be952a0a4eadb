#include "grower/window_view.h"

#include "app/app_state.h"
#include "app/program_constants.h"
#include "app/program_start.h"
#include "globe/planet.h"
#include "grower/termination_cleanup.h"
#include "render/map_buffer.h"
#include "winapi/user/headless.h"

#include <windows.h>

#include <memory>
#include <new>

namespace {

// g_globe is `planet` while this lives.
class ProgramPlanet {
public:
    explicit ProgramPlanet(Globe& planet) { g_globe = &planet; }
    ~ProgramPlanet() { g_globe = nullptr; }
    ProgramPlanet(ProgramPlanet const&) = delete;
    ProgramPlanet& operator=(ProgramPlanet const&) = delete;
};

HWND TheMainWindow()
{
    auto const windows = winapi::headless::TopLevelWindows();
    return windows.size() == 1 ? windows.front() : nullptr;
}

std::string Paint(int width, int height, int dissectCount, WindowPicture& picture)
{
    HINSTANCE const instance = winapi::headless::ProgramInstance();
    RegisterProgram(instance);
    if (!OpenMainWindow(instance, SW_SHOWNORMAL, dissectCount))
        return "cannot create the window";
    HWND const hwnd = TheMainWindow();
    if (!hwnd)
        return "cannot find the window";
    // The planet is grown: no batch may run.
    KillTimer(hwnd, DISSECT_TIMER);
    g_autoDissect = false;
    g_autoDraw = false;

    std::string const size = std::to_string(width) + "x" + std::to_string(height);
    if (!winapi::headless::ResizeClient(hwnd, width, height))
        return "cannot make the window " + size;
    winapi::headless::DispatchPending();

    // What a timer batch with automatic drawing does after its passes.
    RenderMapBuffer(hwnd);
    // Without its buffer the window would show an empty map: no picture.
    if (!g_mapDC || !g_mapBitmap)
        return "cannot make the map buffer";
    InvalidateRect(hwnd, NULL, FALSE);
    winapi::headless::DispatchPending();

    auto image = winapi::headless::ClientPixels(hwnd);
    if (image.width != width || image.height != height)
        return "cannot make a client area of " + size;
    picture.width = image.width;
    picture.height = image.height;
    picture.pixels = std::move(image.pixels);
    return {};
}

}

std::string PaintWindowView(Globe const& globe, int width, int height, int screenWidth, int screenHeight,
    int dissectCount, WindowPicture& picture)
{
    // The program draws its own planet, g_globe: it gets one, the grown
    // grid copied, and gives it up when its window is closed.
    std::unique_ptr<Globe> const planet(new (std::nothrow) Globe(globe.Points()));
    if (!planet)
        return "cannot make the program's planet";
    ProgramPlanet const given(*planet);

    // Qt's start-up cannot undo itself when an allocation fails inside it:
    // memory running out there ends the run before an exception is thrown.
    std::new_handler const previous = std::set_new_handler(EndForLackOfMemory);
    // Never a visible window, whatever display there is, and time stands
    // still, so no timer ever fires.
    winapi::headless::Start(screenWidth, screenHeight);
    std::set_new_handler(previous);
    std::string const failure = Paint(width, height, dissectCount, picture);
    winapi::headless::CloseWindows();
    return failure;
}

bool WindowViewAvailable()
{
    return true;
}
