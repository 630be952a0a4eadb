#pragma once

// Makes every way the process can end, short of SIGKILL, remove the
// temporary files still pending (pending_files.h): every catchable signal
// whose default action ends the process (each then ends it as that signal
// would, so the exit status stays the conventional 128 + N), std::exit, and
// std::terminate. An exception that reaches std::terminate (nothing caught
// it, or it left a destructor during unwinding) is reported on the standard
// error stream under `programName`, which must outlive the process, and
// ends it with EXIT_NO_MEMORY for std::bad_alloc, EXIT_INTERNAL_ERROR for
// any other.
void InstallTerminationCleanup(char const* programName);

// The signals InstallTerminationCleanup catches.
int const* CaughtTerminationSignals(int& count);
