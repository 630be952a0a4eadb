#pragma once

#ifdef _WIN32
#include <windows.h>
#endif

// Makes every way the process can end, short of SIGKILL, remove the
// temporary files still pending (pending_files.h): every catchable signal
// whose default action ends the process (each then ends it as that signal
// would, so the exit status stays the conventional 128 + N), std::exit, and
// std::terminate. An exception that reaches std::terminate (nothing caught
// it, or it left a destructor during unwinding) is reported on the standard
// error stream under `programName`, which must outlive the process, and
// ends it with EXIT_NO_MEMORY for std::bad_alloc, EXIT_INTERNAL_ERROR for
// any other. On Windows also the console's control events: Ctrl+C and
// Ctrl+Break as SIGINT and SIGBREAK, a closed console window with
// EXIT_CONSOLE_CLOSED, a logoff or shutdown with EXIT_SESSION_ENDING,
// whether it comes to the console or to a window (session_end_window.h).
void InstallTerminationCleanup(char const* programName);

// The part of it that can serve before main: the libraries' static
// initialisers (Qt's among them) run first and may already find memory
// gone. An exception that leaves one is reported and ends the process as
// InstallTerminationCleanup's std::terminate handling does.
void CatchFailuresBeforeMain(char const* programName);

// Removes the pending files, reports that memory ran out and ends the
// process with EXIT_NO_MEMORY, allocating nothing: for a new-handler where
// an exception could not be thrown.
[[noreturn]] void EndForLackOfMemory() noexcept;

#ifdef _WIN32
// The console control handler InstallTerminationCleanup registers, for
// delivering the events a program cannot send itself (a closed window).
PHANDLER_ROUTINE TerminationConsoleHandler();
#endif

// The signals InstallTerminationCleanup catches.
int const* CaughtTerminationSignals(int& count);
