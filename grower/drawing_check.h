#pragma once

// How many drawing calls have failed for lack of memory so far, where the
// GDI underneath can tell (our own subset); always 0 on Windows, whose GDI
// reports failures only through each call's result. A picture is whole only
// if this did not change while it was drawn.
unsigned FailedDrawingCalls();
