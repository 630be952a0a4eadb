#include "grower/termination_cleanup.h"

#include "grower/exit_status.h"
#include "grower/pending_files.h"

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <new>

#ifdef _WIN32
#include "grower/session_end_window.h"

#include <windows.h>
#else
#include <signal.h>
#endif

namespace {

char const* g_programName = "";

#ifdef _WIN32
constexpr int CAUGHT_SIGNALS[] = { SIGINT, SIGTERM, SIGBREAK, SIGABRT };
#else
// Every signal whose default action ends the process and that can be
// caught (the real-time signals are added at run time).
constexpr int CAUGHT_SIGNALS[] = {
    SIGHUP, SIGINT, SIGQUIT, SIGILL, SIGTRAP, SIGABRT, SIGBUS, SIGFPE, SIGUSR1, SIGSEGV, SIGUSR2, SIGPIPE,
    SIGALRM, SIGTERM,
#ifdef SIGSTKFLT
    SIGSTKFLT,
#endif
    SIGXCPU, SIGXFSZ, SIGVTALRM, SIGPROF,
#ifdef SIGPOLL
    SIGPOLL,
#endif
#ifdef SIGPWR
    SIGPWR,
#endif
    SIGSYS,
};
#endif

extern "C" void OnTerminatingSignal(int signal)
{
    RemovePendingFiles();
#ifdef _WIN32
    std::signal(signal, SIG_DFL);
    std::raise(signal);
#else
    // The handler was installed with SA_RESETHAND and SA_NODEFER: the
    // default action is back and the signal is not held, so raising it ends
    // the process now, as the signal would have.
    raise(signal);
#endif
}

// Writes "<program>: <first><second>" and a newline to the standard error
// stream, allocating nothing.
void ReportWithoutAllocating(char const* first, char const* second = "")
{
    std::fputs(g_programName, stderr);
    std::fputs(": ", stderr);
    std::fputs(first, stderr);
    std::fputs(second, stderr);
    std::fputc('\n', stderr);
    std::fflush(stderr);
}

// An exception escaped where none may: through main, or out of a destructor
// during unwinding (a destructor that allocates, with memory gone, ends up
// here). Out of memory and other failures end with their own statuses.
[[noreturn]] void OnTerminate()
{
    RemovePendingFiles();
    if (std::exception_ptr const failure = std::current_exception()) {
        try {
            std::rethrow_exception(failure);
        } catch (std::bad_alloc const&) {
            EndForLackOfMemory();
        } catch (std::exception const& other) {
            ReportWithoutAllocating("internal error: ", other.what());
            std::_Exit(EXIT_INTERNAL_ERROR);
        } catch (...) {
            ReportWithoutAllocating("internal error");
            std::_Exit(EXIT_INTERNAL_ERROR);
        }
    }
    std::abort();
}

void OnExit()
{
    RemovePendingFiles();
}

#ifdef _WIN32
// Runs on a thread of its own, which Windows starts for each event. Ctrl+C
// and Ctrl+Break go on to the C runtime's handler, which raises SIGINT or
// SIGBREAK (OnTerminatingSignal). A closed console window, a logoff and a
// shutdown end the process a few seconds later whatever the handler does:
// the files are removed first and the process ended at once, without
// flushing streams the main thread may be writing.
void RemoveFilesAndEnd(UINT status)
{
    RemovePendingFiles();
    TerminateProcess(GetCurrentProcess(), status);
}

BOOL WINAPI OnConsoleControl(DWORD event)
{
    switch (event) {
    case CTRL_CLOSE_EVENT:
        RemoveFilesAndEnd(EXIT_CONSOLE_CLOSED);
        return TRUE;
    case CTRL_LOGOFF_EVENT:
    case CTRL_SHUTDOWN_EVENT:
        RemoveFilesAndEnd(EXIT_SESSION_ENDING);
        return TRUE;
    default:
        return FALSE;
    }
}

// Where Windows tells of the session's end through windows instead
// (grower/session_end_window.h).
void OnSessionEnd()
{
    RemoveFilesAndEnd(EXIT_SESSION_ENDING);
}
#else
void Catch(int signal)
{
    struct sigaction action {};
    action.sa_handler = OnTerminatingSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESETHAND | SA_NODEFER;
    struct sigaction previous {};
    // A signal ignored when the process started (nohup, a shell's
    // background job) stays ignored.
    if (sigaction(signal, nullptr, &previous) == 0 && previous.sa_handler == SIG_IGN)
        return;
    sigaction(signal, &action, nullptr);
}
#endif

}

#ifdef _WIN32
PHANDLER_ROUTINE TerminationConsoleHandler()
{
    return OnConsoleControl;
}
#endif

int const* CaughtTerminationSignals(int& count)
{
    count = static_cast<int>(sizeof CAUGHT_SIGNALS / sizeof CAUGHT_SIGNALS[0]);
    return CAUGHT_SIGNALS;
}

void EndForLackOfMemory() noexcept
{
    RemovePendingFiles();
    ReportWithoutAllocating("not enough memory to go on");
    std::_Exit(EXIT_NO_MEMORY);
}

void CatchFailuresBeforeMain(char const* programName)
{
    g_programName = programName;
    std::set_terminate(OnTerminate);
}

void InstallTerminationCleanup(char const* programName)
{
    CatchFailuresBeforeMain(programName);
    std::atexit(OnExit);
#ifdef _WIN32
    for (int const signal : CAUGHT_SIGNALS)
        std::signal(signal, OnTerminatingSignal);
    // After the C runtime's own handler, so that this one is asked first.
    SetConsoleCtrlHandler(OnConsoleControl, TRUE);
    WatchForSessionEnd(OnSessionEnd);
#else
    for (int const signal : CAUGHT_SIGNALS)
        Catch(signal);
    for (int signal = SIGRTMIN; signal <= SIGRTMAX; ++signal)
        Catch(signal);
#endif
}
