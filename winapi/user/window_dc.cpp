#include "winapi/user/window_dc.h"

#include <algorithm>

namespace winapi::user {

namespace {

HDC ProvideWindowDC(HWND hwnd)
{
    auto* window = FindWindow(hwnd);
    return window ? OpenWindowDC(*window) : nullptr;
}

int ReleaseProvidedDC(HWND hwnd, HDC dc)
{
    auto* window = FindWindow(hwnd);
    if (!window || !CloseWindowDC(*window, dc))
        return 0;
    // Whatever was drawn through it is shown.
    if (window->widget)
        window->widget->update();
    return 1;
}

}

void InstallWindowDCProvider()
{
    static bool installed = false;
    if (installed)
        return;
    WindowDCProvider const provider { ProvideWindowDC, ReleaseProvidedDC };
    SetWindowDCProvider(&provider);
    installed = true;
}

HDC OpenWindowDC(Window& window)
{
    if (!window.surface)
        return nullptr;
    HDC const dc = CreateSurfaceDC(window.surface.get());
    if (dc)
        window.openDCs.push_back(dc);
    return dc;
}

bool CloseWindowDC(Window& window, HDC dc)
{
    auto const found = std::find(window.openDCs.begin(), window.openDCs.end(), dc);
    if (!dc || found == window.openDCs.end())
        return false;
    window.openDCs.erase(found);
    DeleteSurfaceDC(dc);
    return true;
}

void ReleaseAllWindowDCs(Window& window)
{
    for (HDC dc : window.openDCs)
        DeleteSurfaceDC(dc);
    window.openDCs.clear();
    window.paints.clear();
}

}
