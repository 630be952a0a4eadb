// The update region of a window: what InvalidateRect adds to and what
// BeginPaint takes away.
#pragma once

#include "winapi/user/window.h"

namespace winapi::user {

// Adds `region` (clipped to the client area) to the window's update region;
// `erase` asks BeginPaint to erase the background first.
void AddToUpdateRegion(Window& window, QRegion const& region, bool erase);

// The client-area rectangle a RECT names, normalised and clipped to
// `bounds`; any coordinates are safe.
QRect ClippedRect(RECT const& rect, QRect const& bounds);

RECT ToRECT(QRect const& rect);

}
