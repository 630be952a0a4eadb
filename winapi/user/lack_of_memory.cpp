#include "winapi/user/lack_of_memory.h"

namespace winapi::user {

namespace {

LackOfMemoryHandler g_handler = nullptr;

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

}
