#include "surface.h"

#include "display.h"
#include "gdi_objects.h"

#include <new>

namespace winapi {

bool Surface::Resize(int width, int height)
{
    if (width <= 0 || height <= 0)
        width = height = 0;
    std::int64_t const count = std::int64_t { width } * height;
    m_pixels.reset();
    m_width = 0;
    m_height = 0;
    if (count > MaxPixels)
        return false;
    if (count > 0) {
        m_pixels.reset(new (std::nothrow) std::uint32_t[static_cast<std::size_t>(count)]());
        if (!m_pixels)
            return false;
    }
    m_width = width;
    m_height = height;
    return true;
}

HDC CreateSurfaceDC(Surface* surface)
{
    if (!surface)
        return nullptr;
    return gdi::CreateDC(gdi::DCType::Surface, surface);
}

BOOL DeleteSurfaceDC(HDC hdc)
{
    gdi::DeviceContext const* dc = gdi::FindDC(hdc);
    if (!dc || dc->type != gdi::DCType::Surface)
        return FALSE;
    gdi::DestroyDC(hdc);
    return TRUE;
}

Surface* GetDCSurface(HDC hdc)
{
    gdi::DeviceContext const* dc = gdi::FindDC(hdc);
    return dc ? dc->surface : nullptr;
}

bool GetDCTextState(HDC hdc, DCTextState* state)
{
    gdi::DeviceContext const* dc = gdi::FindDC(hdc);
    if (!dc || !state)
        return false;
    state->textColor = dc->textColor;
    state->backgroundColor = dc->backgroundColor;
    state->backgroundMode = dc->backgroundMode;
    state->font = dc->font;
    gdi::Font const* font = gdi::Objects().fonts.Find(dc->font);
    state->stockFont = font ? font->stockIndex : SYSTEM_FONT;
    return true;
}

namespace {

SIZE g_displaySize { 1920, 1080 };
Surface* g_displaySurface = nullptr;
WindowDCProvider g_provider {};
bool g_hasProvider = false;

} // namespace

void SetWindowDCProvider(WindowDCProvider const* provider)
{
    g_hasProvider = provider && provider->getDC && provider->releaseDC;
    g_provider = g_hasProvider ? *provider : WindowDCProvider {};
}

void SetDisplaySize(int width, int height)
{
    g_displaySize = { width < 1 ? 1 : width, height < 1 ? 1 : height };
    if (g_displaySurface
        && (g_displaySurface->Width() != g_displaySize.cx || g_displaySurface->Height() != g_displaySize.cy))
        g_displaySurface->Resize(g_displaySize.cx, g_displaySize.cy);
}

SIZE GetDisplaySize() { return g_displaySize; }

namespace gdi {

Surface* DisplaySurface()
{
    if (!g_displaySurface) {
        // Lives as long as the process, like the screen.
        g_displaySurface = new (std::nothrow) Surface(Surface::Format::Rgb32);
        if (!g_displaySurface)
            return nullptr;
    }
    if (g_displaySurface->Width() != g_displaySize.cx || g_displaySurface->Height() != g_displaySize.cy) {
        if (!g_displaySurface->Resize(g_displaySize.cx, g_displaySize.cy))
            return nullptr;
    }
    return g_displaySurface;
}

WindowDCProvider const* CurrentWindowDCProvider() { return g_hasProvider ? &g_provider : nullptr; }

} // namespace gdi

} // namespace winapi
