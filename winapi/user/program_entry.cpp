// The entry of a program written to WinMain: starts Qt and calls WinMain
// with the module's instance handle, as the Windows runtime does after
// static initialisation.

#include "winapi/resources/module_resources.h"
#include "winapi/user/program_end.h"
#include "winapi/user/qt_application.h"

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <new>

int main(int argc, char** argv)
{
    // Without Qt there is no window to create: a failed start, which ends
    // the program with exit code 0 as a failed window creation does.
    try {
        winapi::user::StartApplication(argc, argv);
    } catch (std::bad_alloc const&) {
        std::fputs("not enough memory to start the user interface\n", stderr);
        return 0;
    }
    static char commandLine[] = "";
    int const exitCode = WinMain(winapi::resources::MainModule(), nullptr, commandLine, SW_SHOWDEFAULT);
    // The windows go, but Qt is not torn down: its font database's teardown
    // reloads fontconfig, which crashes when memory has run out. The process
    // end releases the rest, as it does on Windows.
    winapi::user::CloseProgramWindows();
    std::fflush(nullptr);
    std::_Exit(exitCode);
}
