#pragma once

// How many drawing calls have failed so far: the cells the views could not
// paint because a GDI call failed (on Windows and here alike), and on our
// own GDI subset also every call that failed for lack of memory. A picture
// is whole only if this did not change while it was drawn. The surface it is
// drawn on and the reading of its pixels are checked call by call
// (grower/image_surface.h).
unsigned FailedDrawingCalls();
