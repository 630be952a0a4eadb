#pragma once

// Makes every way the process can end, short of SIGKILL, remove the
// temporary files still pending (pending_files.h): every catchable signal
// whose default action ends the process (each then ends it as that signal
// would, so the exit status stays the conventional 128 + N), std::exit, and
// std::terminate (an exception that nothing caught).
void InstallTerminationCleanup();

// The signals InstallTerminationCleanup catches.
int const* CaughtTerminationSignals(int& count);
