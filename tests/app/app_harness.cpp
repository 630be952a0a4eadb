#include "tests/app/app_harness.h"

#include "render/hemisphere_views.h"
#include "render/map_buffer.h"
#include "render/map_view.h"
#include "render/memory_canvas.h"
#include "render/pixel_target.h"
#include "tests/render/map_buffer_reset.h"
#include "winapi/gdi/surface.h"
#include "winapi/resources/module_resources.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <memory>
#include <span>
#include <sstream>

namespace app_test {

namespace {

constexpr std::uint32_t WHITE = 0xFFFFFF;

// A memory canvas holding the pixels of `image`.
class Canvas {
public:
    explicit Canvas(Image const& image)
        : m_canvas(image.width, image.height)
    {
        if (image.pixels.size() != std::size_t(image.width) * std::size_t(image.height))
            return;
        for (int y = 0; y < image.height; ++y) {
            if (std::uint32_t* row = m_canvas.Row(y))
                std::copy_n(image.pixels.begin() + std::ptrdiff_t(y) * image.width, image.width, row);
        }
    }

    HDC DC() const { return m_canvas.DC(); }

    Image Pixels() const
    {
        Image image;
        if (!m_canvas.Valid())
            return image;
        image.width = m_canvas.Width();
        image.height = m_canvas.Height();
        image.pixels = m_canvas.Pixels();
        return image;
    }

private:
    MemoryCanvas m_canvas;
};

void ResetApplicationState()
{
    std::memset(g_windowTitle, 0, sizeof g_windowTitle);
    std::memset(g_windowClassName, 0, sizeof g_windowClassName);
    g_hInstance = nullptr;
    g_dissectCount = 0;
    g_dissectLimit = 0;
    g_autoDissect = false;
    g_autoDraw = false;
    g_onlyMap = false;
    delete g_globe;
    g_globe = nullptr;
    ReleaseMapBuffer();
}

std::span<std::uint8_t const> g_embeddedResources;

}

std::vector<LoggedMessage>& WindowLog()
{
    static std::vector<LoggedMessage> log;
    return log;
}

std::vector<LoggedMessage>& DialogLog()
{
    static std::vector<LoggedMessage> log;
    return log;
}

bool Logged(std::vector<LoggedMessage> const& log, UINT message, WPARAM wParam)
{
    return std::any_of(log.begin(), log.end(),
        [&](LoggedMessage const& logged) { return logged.message == message && logged.wParam == wParam; });
}

std::size_t CountLogged(std::vector<LoggedMessage> const& log, UINT message)
{
    return static_cast<std::size_t>(std::count_if(
        log.begin(), log.end(), [&](LoggedMessage const& logged) { return logged.message == message; }));
}

std::string WindowText(HWND hwnd)
{
    char text[256] = {};
    GetWindowTextA(hwnd, text, sizeof text);
    return text;
}

HWND MainWindow()
{
    for (HWND hwnd : winapi::testing::TopLevelWindows()) {
        if (WindowText(hwnd) == "Morva")
            return hwnd;
    }
    return nullptr;
}

void AppTest::SetUp()
{
    if (g_embeddedResources.empty())
        g_embeddedResources = winapi::resources::ModuleResourceBytes();
    ASSERT_TRUE(winapi::resources::SetModuleResources(g_embeddedResources));
    winapi::testing::UseVirtualClock();
    winapi::testing::ResetUser();
    winapi::SetDisplaySize(800, 600);
    ResetApplicationState();
    WindowLog().clear();
    DialogLog().clear();
}

void AppTest::TearDown()
{
    winapi::testing::ResetUser();
    ResetApplicationState();
    winapi::resources::SetModuleResources(g_embeddedResources);
}

Step WaitThen(std::function<bool()> condition, std::function<void()> action)
{
    return [condition = std::move(condition), action = std::move(action)] {
        if (!condition())
            return false;
        action();
        return true;
    };
}

Step IdleMoments(int count)
{
    auto asked = std::make_shared<int>(0);
    return [asked, count] { return ++*asked >= count; };
}

Image ExpectedPaint(Image const& before, Layout const& layout, int count, bool onlyMap)
{
    Canvas canvas(before);
    HDC hdc = canvas.DC();
    // The reference: every cell through GDI, as on a DC without reachable
    // pixels, against the program's paint straight into its pixels.
    AllowDirectPixels(false);
    if (!onlyMap) {
        DrawLowerHemisphere(hdc, layout.left, layout.top, layout.midX, layout.midY);
        DrawUpperHemisphere(hdc, layout.midX, layout.top, layout.right, layout.midY);
        DrawMapBuffer(hdc, layout.left, layout.midY, layout.right, layout.bottom);
    } else {
        DrawMapBuffer(hdc, layout.left, layout.top, layout.right, layout.bottom);
    }
    char status[64];
    std::snprintf(status, sizeof status, "Globe is %dx%d points, %d dissects", GRID_N, GRID_N, count);
    RECT strip { layout.left, 0, layout.right, 25 };
    DrawTextA(hdc, status, static_cast<int>(std::strlen(status)), &strip, DT_CENTER);
    AllowDirectPixels(true);
    return canvas.Pixels();
}

Image MapBufferPixels()
{
    Image image;
    winapi::Surface const* surface = g_mapDC ? winapi::GetDCSurface(g_mapDC) : nullptr;
    if (!surface)
        return image;
    image.width = surface->Width();
    image.height = surface->Height();
    image.pixels.assign(surface->Pixels(), surface->Pixels() + std::size_t(image.width) * std::size_t(image.height));
    return image;
}

Image MapThroughGdi()
{
    Image black = MapBufferPixels();
    std::fill(black.pixels.begin(), black.pixels.end(), 0u);
    Canvas canvas(black);
    AllowDirectPixels(false);
    DrawMap(canvas.DC(), 0, 0, black.width, black.height);
    AllowDirectPixels(true);
    return canvas.Pixels();
}

Image Erased(int width, int height)
{
    Image image;
    image.width = width;
    image.height = height;
    image.pixels.assign(std::size_t(width) * std::size_t(height), WHITE);
    return image;
}

int NonWhitePixels(Image const& image, int left, int top, int right, int bottom)
{
    int count = 0;
    for (int y = std::max(top, 0); y < std::min(bottom, image.height); ++y) {
        for (int x = std::max(left, 0); x < std::min(right, image.width); ++x)
            count += image.At(x, y) != WHITE;
    }
    return count;
}

std::size_t CountDifferences(Image const& actual, Image const& expected, std::string* first)
{
    if (actual.width != expected.width || actual.height != expected.height) {
        if (first) {
            std::ostringstream out;
            out << "size " << actual.width << "x" << actual.height << " instead of " << expected.width << "x"
                << expected.height;
            *first = out.str();
        }
        return std::max(actual.pixels.size(), expected.pixels.size()) + 1;
    }
    std::size_t differences = 0;
    for (int y = 0; y < actual.height; ++y) {
        for (int x = 0; x < actual.width; ++x) {
            if (actual.At(x, y) == expected.At(x, y))
                continue;
            if (differences++ == 0 && first) {
                std::ostringstream out;
                out << "(" << x << ", " << y << ") is " << std::hex << actual.At(x, y) << " instead of "
                    << expected.At(x, y);
                *first = out.str();
            }
        }
    }
    return differences;
}

}
