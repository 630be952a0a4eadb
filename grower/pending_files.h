#pragma once

#include <string>

#ifndef _WIN32
#include <signal.h>
#endif

// Temporary files that must not outlive the process. Each one is a node of
// a linked list, allocated (with room for its whole path) before the file
// is made, so removing them needs no allocation and knows no limit: a signal
// handler can do it with nothing but unlink.
struct PendingFile;

// A node for a file to be made at `path`, linked in but not yet counted as
// made. Null when there is no memory for it.
PendingFile* AddPendingFile(std::string const& path);

// The path's storage, path.size() + 1 bytes: a creation function such as
// mkstemp may fill in the final name.
char* PendingFilePath(PendingFile& file);

// From now on the file exists and is removed when the process ends early.
void MarkPendingFileMade(PendingFile& file);

// Unlinks the node and frees it; the file itself is left as it is (renamed
// into place, or already removed).
void ForgetPendingFile(PendingFile* file);

// Removes every file marked made and not yet forgotten. Async-signal-safe.
// On Windows it may run on a thread of its own (a console control handler):
// it waits for the main thread to leave a held section first, and from then
// on no other thread enters one.
void RemovePendingFiles() noexcept;

// Holds back the catchable signals for its lifetime, so the list and the
// files on disk always agree when a handler runs. On Windows, whose
// handlers run on another thread, RemovePendingFiles waits for the section
// to end instead; a thread that would enter one while another thread removes
// the files stops there, as the process is ending. Sections nest.
class SignalsHeldBack {
public:
    SignalsHeldBack();
    ~SignalsHeldBack();

    SignalsHeldBack(SignalsHeldBack const&) = delete;
    SignalsHeldBack& operator=(SignalsHeldBack const&) = delete;

private:
#ifdef _WIN32
    unsigned long m_previousHolder;
#else
    sigset_t m_previous;
#endif
};
