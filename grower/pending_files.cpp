#include "grower/pending_files.h"

#include <csignal>
#include <cstdlib>
#include <cstring>
#include <new>

#ifdef _WIN32
#include <atomic>
#include <windows.h>
#else
#include <signal.h>
#include <unistd.h>
#endif

struct PendingFile {
    PendingFile* next;
    volatile std::sig_atomic_t made;
    char* path;
};

namespace {

PendingFile* volatile g_firstPending = nullptr;

}

#ifdef _WIN32

// Windows runs the console's control handler, and the C runtime's SIGINT and
// SIGBREAK handlers with it, on a thread of its own while the main thread
// goes on. The two threads meet through two words: the thread inside a held
// section, and the latest thread to remove the files. A remover waits for the
// section it finds to end; a thread about to enter one while another thread
// removes stops there for good, as the process is about to end. No lock is
// taken, nothing is allocated, and a thread that is interrupted inside its
// own section (a crash signal) removes the files without waiting for itself.

namespace {

std::atomic<DWORD> g_holder { 0 };
std::atomic<DWORD> g_remover { 0 };

// Long enough for any held section (a file made or removed and a node
// linked), short of the five seconds Windows gives a console control
// handler before it ends the process.
constexpr DWORD HELD_SECTION_WAIT_MS = 2000;

void WaitForHeldSection()
{
    DWORD const self = GetCurrentThreadId();
    ULONGLONG const start = GetTickCount64();
    for (;;) {
        DWORD const holder = g_holder.load();
        if (holder == 0 || holder == self || GetTickCount64() - start >= HELD_SECTION_WAIT_MS)
            return;
        Sleep(1);
    }
}

}

SignalsHeldBack::SignalsHeldBack()
{
    DWORD const self = GetCurrentThreadId();
    m_previousHolder = g_holder.exchange(self);
    DWORD const remover = g_remover.load();
    if (remover != 0 && remover != self) {
        g_holder.store(m_previousHolder);
        for (;;)
            Sleep(INFINITE);
    }
}

SignalsHeldBack::~SignalsHeldBack()
{
    g_holder.store(m_previousHolder);
}

#else

SignalsHeldBack::SignalsHeldBack()
{
    sigset_t all;
    sigfillset(&all);
    sigprocmask(SIG_BLOCK, &all, &m_previous);
}

SignalsHeldBack::~SignalsHeldBack()
{
    sigprocmask(SIG_SETMASK, &m_previous, nullptr);
}

#endif

PendingFile* AddPendingFile(std::string const& path)
{
    void* storage = std::malloc(sizeof(PendingFile) + path.size() + 1);
    if (!storage)
        return nullptr;
    auto* file = static_cast<PendingFile*>(storage);
    file->made = 0;
    file->path = static_cast<char*>(storage) + sizeof(PendingFile);
    std::memcpy(file->path, path.c_str(), path.size() + 1);
    SignalsHeldBack const held;
    file->next = g_firstPending;
    g_firstPending = file;
    return file;
}

char* PendingFilePath(PendingFile& file)
{
    return file.path;
}

void MarkPendingFileMade(PendingFile& file)
{
    file.made = 1;
}

void ForgetPendingFile(PendingFile* file)
{
    if (!file)
        return;
    {
        SignalsHeldBack const held;
        PendingFile* volatile* link = &g_firstPending;
        while (*link && *link != file)
            link = &(*link)->next;
        if (*link)
            *link = file->next;
    }
    std::free(file);
}

void RemovePendingFiles() noexcept
{
#ifdef _WIN32
    g_remover.store(GetCurrentThreadId());
    WaitForHeldSection();
#endif
    for (PendingFile* file = g_firstPending; file; file = file->next) {
        if (!file->made)
            continue;
#ifdef _WIN32
        DeleteFileA(file->path);
#else
        unlink(file->path);
#endif
        file->made = 0;
    }
}
