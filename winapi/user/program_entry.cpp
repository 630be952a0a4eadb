// The entry of a program written to WinMain: starts Qt and calls WinMain
// with the module's instance handle, as the Windows runtime does after
// static initialisation.

#include "winapi/resources/module_resources.h"
#include "winapi/user/lack_of_memory.h"
#include "winapi/user/program_end.h"
#include "winapi/user/qt_application.h"
#include "winapi/user/qt_messages.h"

#include <windows.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <initializer_list>
#include <new>

#include <unistd.h>

namespace {

// The status of a program that memory ran out under once it was running:
// there is no Win32 way left to go on.
constexpr int EXIT_NO_MEMORY = 4;

char const* g_programName = "program";

// Writes the pieces and a newline to the standard error stream in one
// write: no allocation, and no stdio lock another thread may hold.
void WriteErrorLine(std::initializer_list<char const*> pieces)
{
    char line[1024];
    std::size_t length = 0;
    for (char const* piece : pieces) {
        for (; *piece && length + 1 < sizeof line; ++piece)
            line[length++] = *piece;
    }
    line[length++] = '\n';
    for (std::size_t written = 0; written < length;) {
        ssize_t const done = write(STDERR_FILENO, line + written, length - written);
        if (done <= 0 && errno != EINTR)
            return;
        if (done > 0)
            written += static_cast<std::size_t>(done);
    }
}

[[noreturn]] void EndForLackOfMemory()
{
    WriteErrorLine({ g_programName, ": not enough memory to go on" });
    std::_Exit(EXIT_NO_MEMORY);
}

// Whether the exception that reached std::terminate, if any, is memory
// running out.
bool IsLackOfMemory()
{
    if (std::exception_ptr const failure = std::current_exception()) {
        try {
            std::rethrow_exception(failure);
        } catch (std::bad_alloc const&) {
            return true;
        } catch (...) {
        }
    }
    return false;
}

// Memory that ran out where nothing could catch it (inside a Qt event
// handler, or out of a destructor during unwinding) ends the program the same
// way; any other exception that escaped is a fault and aborts.
[[noreturn]] void OnTerminate()
{
    if (IsLackOfMemory())
        EndForLackOfMemory();
    std::abort();
}

// A user interface that cannot start is a failed start, which ends the
// program with exit code 0 as a failed window creation does, after one line
// that says why.
[[noreturn]] void EndUnstarted(std::initializer_list<char const*> why)
{
    WriteErrorLine(why);
    std::_Exit(0);
}

// No memory for the user interface to start with.
[[noreturn]] void EndWithoutUserInterface()
{
    EndUnstarted({ "not enough memory to start the user interface" });
}

// Nowhere to show the window: rather than run where no one sees it, the
// program points to its grower (morva<N>-grower beside morva<N>), which
// draws the window's pictures headless.
[[noreturn]] void EndWithoutDisplay()
{
    EndUnstarted({ g_programName, ": no display to show the window on (neither DISPLAY nor WAYLAND_DISPLAY is set); ",
        g_programName, "-grower draws the planet's pictures without one" });
}

// Memory that ran out in a library's static initialiser, before main.
[[noreturn]] void OnTerminateBeforeMain()
{
    if (IsLackOfMemory())
        EndWithoutUserInterface();
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
    if (!winapi::user::HasPlatformForWindows())
        EndWithoutDisplay();
    // Without Qt there is no window to create: a failed start, which ends
    // the program with exit code 0 as a failed window creation does. Qt's
    // start-up cannot undo itself when an allocation fails inside it, so
    // memory running out there ends the program before anything is thrown.
    std::new_handler const previous = std::set_new_handler(EndWithoutUserInterface);
    try {
        winapi::user::StartApplication(argc, argv);
    } catch (std::bad_alloc const&) {
        EndWithoutUserInterface();
    }
    std::set_new_handler(previous);
    winapi::user::FilterQtMessages(winapi::user::QtMessageAudience::Desktop);
    winapi::user::SetLackOfMemoryHandler(EndForLackOfMemory);
    static char commandLine[] = "";
    int exitCode = 0;
    try {
        exitCode = WinMain(winapi::resources::MainModule(), nullptr, commandLine, SW_SHOWDEFAULT);
        if (winapi::user::UserInterfaceLackedMemoryToStart())
            EndWithoutUserInterface();
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
