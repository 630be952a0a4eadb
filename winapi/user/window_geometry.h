// Client-area sizes: the surface follows the size Qt gives the client view,
// and the window learns of it as Win32 windows do, by invalidation and
// WM_SIZE.
#pragma once

#include "winapi/user/window.h"

namespace winapi::user {

// The largest client area side. Like Win32's maximum tracking size, it keeps
// windows within what can be allocated and shown.
inline constexpr int MaxClientSide = 16384;

QSize ClampClientSize(QSize size);

// Gives the window a new client size: reallocates its surface keeping the
// pixels that stay, invalidates with erase what the class asks for (all of
// it with CS_HREDRAW when the width changed or CS_VREDRAW when the height
// changed, otherwise the newly uncovered part) and sends WM_SIZE.
void SetClientSize(Window& window, QSize size);

// Applies the sizes Qt gave client views since the last call.
void ApplyPendingClientSizes();

}
