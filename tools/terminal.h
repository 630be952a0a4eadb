#pragma once

// True when standard error is an interactive terminal.
bool StderrIsTerminal();

// Removes abandoned temporary files when the process is interrupted.
void InstallInterruptCleanup();
