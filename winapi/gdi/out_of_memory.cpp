#include "out_of_memory.h"

namespace winapi {

namespace {

unsigned g_outOfMemoryCount = 0;

}

unsigned GdiOutOfMemoryCount() { return g_outOfMemoryCount; }

void gdi::NoteOutOfMemory() { ++g_outOfMemoryCount; }

} // namespace winapi
