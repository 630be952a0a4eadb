#pragma once

// True when standard error is an interactive terminal.
bool StderrIsTerminal();
