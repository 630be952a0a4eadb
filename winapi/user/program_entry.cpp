// The entry of a program written to WinMain: starts Qt and calls WinMain
// with the module's instance handle, as the Windows runtime does after
// static initialisation.

#include "winapi/resources/module_resources.h"
#include "winapi/user/program_end.h"
#include "winapi/user/qt_application.h"

#include <windows.h>

int main(int argc, char** argv)
{
    winapi::user::StartApplication(argc, argv);
    static char commandLine[] = "";
    int const exitCode = WinMain(winapi::resources::MainModule(), nullptr, commandLine, SW_SHOWDEFAULT);
    winapi::user::EndProgram();
    return exitCode;
}
