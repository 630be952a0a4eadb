// Linked into a test build of the Windows grower (morva75-grower-test-hooks):
// hostile conditions the tests cannot bring about from outside, set up before
// main from the environment.
//   MORVA_TEST_GDI_HANDLES_LEFT=K  every GDI handle the process may have is
//                                  taken, then K of them given back, so that
//                                  real GDI calls fail from the (K+1)th new
//                                  object on
//   MORVA_TEST_CELL_BY_CELL=1      the views are drawn through GDI cell by
//                                  cell, not into the pixels
//   MORVA_TEST_CONSOLE_EVENT=E     once a temporary output file exists in the
//                                  current folder, the grower's console
//                                  control handler gets event E on a thread of
//                                  its own, as Windows delivers it (a closed
//                                  window, a logoff and a shutdown cannot be
//                                  sent to a process)
#include "grower/termination_cleanup.h"
#include "render/pixel_target.h"

#include <windows.h>

#include <cstdlib>
#include <vector>

namespace {

bool ReadNumber(char const* name, unsigned long& value)
{
    char const* const text = std::getenv(name);
    if (!text || !*text)
        return false;
    char* end = nullptr;
    value = std::strtoul(text, &end, 10);
    return *end == '\0';
}

void TakeGdiHandles(unsigned long left)
{
    static std::vector<HBRUSH> taken;
    for (;;) {
        HBRUSH const brush = CreateSolidBrush(RGB(1, 2, 3));
        if (!brush)
            break;
        taken.push_back(brush);
    }
    for (unsigned long i = 0; i < left && !taken.empty(); ++i) {
        DeleteObject(taken.back());
        taken.pop_back();
    }
}

bool TemporaryFileExists()
{
    WIN32_FIND_DATAA found;
    HANDLE const search = FindFirstFileA(".morva-*", &found);
    if (search == INVALID_HANDLE_VALUE)
        return false;
    FindClose(search);
    return true;
}

DWORD WINAPI DeliverEvent(void* event)
{
    return TerminationConsoleHandler()(static_cast<DWORD>(reinterpret_cast<ULONG_PTR>(event)));
}

DWORD WINAPI WatchForTemporaryFile(void* event)
{
    while (!TemporaryFileExists())
        Sleep(5);
    HANDLE const thread = CreateThread(nullptr, 0, DeliverEvent, event, 0, nullptr);
    if (thread) {
        WaitForSingleObject(thread, INFINITE);
        CloseHandle(thread);
    }
    return 0;
}

struct TestHooks {
    TestHooks()
    {
        unsigned long value = 0;
        if (ReadNumber("MORVA_TEST_CELL_BY_CELL", value) && value)
            AllowDirectPixels(false);
        if (ReadNumber("MORVA_TEST_CONSOLE_EVENT", value)) {
            HANDLE const thread = CreateThread(
                nullptr, 0, WatchForTemporaryFile, reinterpret_cast<void*>(static_cast<ULONG_PTR>(value)), 0, nullptr);
            if (thread)
                CloseHandle(thread);
        }
        if (ReadNumber("MORVA_TEST_GDI_HANDLES_LEFT", value))
            TakeGdiHandles(value);
    }
};

TestHooks const g_testHooks;

}
