// The entry of a program written to WinMain: starts Qt and calls WinMain
// with the module's instance handle, as the Windows runtime does after
// static initialisation.

#include "winapi/resources/module_resources.h"
#include "winapi/user/program_end.h"
#include "winapi/user/qt_application.h"

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <exception>
#include <new>

namespace {

// The status of a program that memory ran out under once it was running:
// there is no Win32 way left to go on.
constexpr int EXIT_NO_MEMORY = 4;

char const* g_programName = "program";

[[noreturn]] void EndForLackOfMemory()
{
    // Allocates nothing.
    std::fputs(g_programName, stderr);
    std::fputs(": not enough memory to go on\n", stderr);
    std::fflush(nullptr);
    std::_Exit(EXIT_NO_MEMORY);
}

// Memory that ran out where nothing could catch it (inside a Qt event
// handler, or out of a destructor during unwinding) ends the program the same
// way; any other exception that escaped is a fault and aborts.
[[noreturn]] void OnTerminate()
{
    if (std::exception_ptr const failure = std::current_exception()) {
        try {
            std::rethrow_exception(failure);
        } catch (std::bad_alloc const&) {
            EndForLackOfMemory();
        } catch (...) {
        }
    }
    std::abort();
}

// Memory that ran out in a library's static initialiser, before main: the
// user interface cannot start, which ends the program with exit code 0 as a
// failed window creation does.
[[noreturn]] void OnTerminateBeforeMain()
{
    if (std::exception_ptr const failure = std::current_exception()) {
        try {
            std::rethrow_exception(failure);
        } catch (std::bad_alloc const&) {
            std::fputs("not enough memory to start the user interface\n", stderr);
            std::fflush(nullptr);
            std::_Exit(0);
        } catch (...) {
        }
    }
    std::abort();
}

#ifdef __ELF__
// Runs before any library's static initialiser (Qt's among them).
[[gnu::used, gnu::section(".preinit_array")]] void (*const g_beforeLibraries)(int, char**, char**)
    = [](int, char**, char**) { std::set_terminate(OnTerminateBeforeMain); };
#endif

}

int main(int argc, char** argv)
{
    if (argc > 0 && argv[0] && *argv[0])
        g_programName = argv[0];
    std::set_terminate(OnTerminate);
    // Without Qt there is no window to create: a failed start, which ends
    // the program with exit code 0 as a failed window creation does.
    try {
        winapi::user::StartApplication(argc, argv);
    } catch (std::bad_alloc const&) {
        std::fputs("not enough memory to start the user interface\n", stderr);
        return 0;
    }
    static char commandLine[] = "";
    int exitCode = 0;
    try {
        exitCode = WinMain(winapi::resources::MainModule(), nullptr, commandLine, SW_SHOWDEFAULT);
        // The windows go, but Qt is not torn down: its font database's
        // teardown reloads fontconfig, which crashes when memory has run
        // out. The process end releases the rest, as it does on Windows.
        winapi::user::CloseProgramWindows();
    } catch (std::bad_alloc const&) {
        // Where USER had no failed call to report it with (the message loop
        // itself), memory running out ends the program.
        EndForLackOfMemory();
    }
    std::fflush(nullptr);
    std::_Exit(exitCode);
}
