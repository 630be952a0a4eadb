// GDI calls that failed because memory ran out. Each one fails the Win32
// way (NULL or FALSE); the count lets a caller that must not show a picture
// with a hole in it (the headless grower) see that a drawing was incomplete.
#pragma once

namespace winapi {

// How many GDI calls have failed for lack of memory since the process began.
unsigned GdiOutOfMemoryCount();

namespace gdi {

// Records one call that failed for lack of memory.
void NoteOutOfMemory();

} // namespace gdi

} // namespace winapi
