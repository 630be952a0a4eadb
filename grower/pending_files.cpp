#include "grower/pending_files.h"

#include <csignal>
#include <cstdlib>
#include <cstring>
#include <new>

#ifdef _WIN32
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

SignalsHeldBack::SignalsHeldBack() { }
SignalsHeldBack::~SignalsHeldBack() { }

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
