#pragma once

#include <windows.h>

// Where a paint draws. On Windows: a client-sized 32-bit DIB section in a
// memory DC, kept between paints and made anew when the client size changes,
// so that the views and the map's copy are drawn straight into its pixels and
// the window gets the whole picture in one BitBlt. The part of the window
// being painted is copied into the buffer first, so that whatever the paint
// does not draw (the erased background, earlier pictures) stays as the
// window showed it. Elsewhere, and when the buffer cannot be made, the paint
// DC itself, whose pixels the drawing reaches directly.
HDC BeginBackBufferPaint(HDC paintDC, RECT const& client, RECT const& update);

// Copies the painted part of the buffer to the window. Nothing to do when
// the paint drew on its own DC.
void EndBackBufferPaint(HDC paintDC, HDC drawDC, RECT const& update);
