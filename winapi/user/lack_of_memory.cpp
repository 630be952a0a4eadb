#include "winapi/user/lack_of_memory.h"

namespace winapi::user {

namespace {

LackOfMemoryHandler g_handler = nullptr;
bool g_anyWindowCreated = false;
bool g_creationLackedMemory = false;

}

void SetLackOfMemoryHandler(LackOfMemoryHandler handler)
{
    g_handler = handler;
}

void ReportLackOfMemory()
{
    if (g_handler)
        g_handler();
}

void NoteWindowCreated()
{
    g_anyWindowCreated = true;
}

void NoteWindowNotCreatedForLackOfMemory()
{
    g_creationLackedMemory = true;
}

bool UserInterfaceLackedMemoryToStart()
{
    return g_creationLackedMemory && !g_anyWindowCreated;
}

}
