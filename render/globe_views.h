// The map and the two hemisphere views of a given globe, drawn with a given
// context's kernels, cache and working storage. What each one draws is told
// with the program's own drawings, DrawMap (render/map_view.h) and
// DrawLowerHemisphere and DrawUpperHemisphere (render/hemisphere_views.h),
// which are these applied to g_globe.
#pragma once

#include "globe/globe.h"
#include "render/drawing_context.h"

#include <windows.h>

void DrawGlobeMap(DrawingContext& context, Globe const& globe, HDC hdc, int left, int top, int right, int bottom);
void DrawGlobeLowerHemisphere(
    DrawingContext& context, Globe const& globe, HDC hdc, int left, int top, int right, int bottom);
void DrawGlobeUpperHemisphere(
    DrawingContext& context, Globe const& globe, HDC hdc, int left, int top, int right, int bottom);
