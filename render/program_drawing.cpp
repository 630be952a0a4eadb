#include "render/program_drawing.h"

#include "globe/planet.h"
#include "render/drawing_context.h"
#include "render/drawing_levels.h"
#include "render/globe_views.h"
#include "render/hemisphere_views.h"
#include "render/map_view.h"

#include <array>
#include <cstddef>
#include <memory>

namespace {

std::array<std::unique_ptr<DrawingContext>, KERNEL_LEVELS.size()> g_contexts;

// Made on first use: most levels are never drawn at outside the tests.
DrawingContext& ContextAt(KernelLevel level)
{
    std::unique_ptr<DrawingContext>& context = g_contexts[static_cast<std::size_t>(level)];
    if (!context)
        context = std::make_unique<DrawingContext>(level);
    return *context;
}

}

void ForgetPointCaches()
{
    for (std::unique_ptr<DrawingContext> const& context : g_contexts) {
        if (context)
            context->ForgetPoints();
    }
}

void DrawMapAt(KernelLevel level, HDC hdc, int left, int top, int right, int bottom)
{
    if (g_globe)
        DrawGlobeMap(ContextAt(level), *g_globe, hdc, left, top, right, bottom);
}

void DrawLowerHemisphereAt(KernelLevel level, HDC hdc, int left, int top, int right, int bottom)
{
    if (g_globe)
        DrawGlobeLowerHemisphere(ContextAt(level), *g_globe, hdc, left, top, right, bottom);
}

void DrawUpperHemisphereAt(KernelLevel level, HDC hdc, int left, int top, int right, int bottom)
{
    if (g_globe)
        DrawGlobeUpperHemisphere(ContextAt(level), *g_globe, hdc, left, top, right, bottom);
}

void DrawMap(HDC hdc, int left, int top, int right, int bottom)
{
    DrawMapAt(ChosenKernelLevel(), hdc, left, top, right, bottom);
}

void DrawLowerHemisphere(HDC hdc, int left, int top, int right, int bottom)
{
    DrawLowerHemisphereAt(ChosenKernelLevel(), hdc, left, top, right, bottom);
}

void DrawUpperHemisphere(HDC hdc, int left, int top, int right, int bottom)
{
    DrawUpperHemisphereAt(ChosenKernelLevel(), hdc, left, top, right, bottom);
}
