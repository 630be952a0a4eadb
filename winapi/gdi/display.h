// The headless display and the window DC provider, as GDI sees them.
#pragma once

#include "surface.h"

namespace winapi::gdi {

// The display's surface, allocated at the display size on first use; null
// if it cannot be allocated.
Surface* DisplaySurface();

// The installed provider, or null.
WindowDCProvider const* CurrentWindowDCProvider();

} // namespace winapi::gdi
