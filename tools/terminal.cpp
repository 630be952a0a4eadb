#include "tools/terminal.h"

#include "tools/atomic_file.h"

#include <csignal>

#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

bool StderrIsTerminal()
{
#ifdef _WIN32
    return _isatty(2) != 0;
#else
    return isatty(2) != 0;
#endif
}

namespace {

extern "C" void OnInterrupt(int signal)
{
    RemoveAbandonedTemporaryFiles();
    std::signal(signal, SIG_DFL);
    std::raise(signal);
}

}

void InstallInterruptCleanup()
{
    std::signal(SIGINT, OnInterrupt);
    std::signal(SIGTERM, OnInterrupt);
}
