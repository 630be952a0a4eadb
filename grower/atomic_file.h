#pragma once

#include "grower/output_paths.h"
#include "grower/pending_files.h"

#include <cstdio>
#include <string>

// A file written under a hidden temporary name in the destination's folder
// and renamed into place only by Commit, so the destination never holds a
// partial file and an earlier file of that name stays whole until then.
// A character device (such as /dev/null) is written in place instead.
// Without a Commit the temporary file is removed, also when the process is
// ended by a signal (see termination_cleanup.h).
class AtomicFile {
public:
    explicit AtomicFile(std::string destination);
    ~AtomicFile();

    AtomicFile(AtomicFile const&) = delete;
    AtomicFile& operator=(AtomicFile const&) = delete;

    // Creates the temporary file; false (with Error() and Status() set)
    // when the destination cannot be written.
    bool Open();

    std::FILE* Stream() { return stream; }
    std::string const& Error() const { return error; }
    int Status() const { return status; }

    // Flushes the data to disk, closes and renames; false (with Error() and
    // Status() set) on any failure, in which case the destination is
    // untouched.
    bool Commit();

    // Removes the temporary file now.
    void Discard();

    // Pushes the buffered data to the file; false (with Error() and Status()
    // naming the system's reason) when it does not fit.
    bool Flush();

    // Records a failed write, naming the destination and the system's
    // reason (an errno value); Status() follows from the reason.
    void FailWith(int errorNumber);

private:
    bool Refuse(int errorNumber);

    std::string destination;
    OutputTarget target;
    PendingFile* pending = nullptr;
    std::FILE* stream = nullptr;
    std::string error;
    int status = 0;
};

// Removes every temporary file that is not yet renamed into place; for a
// signal handler or an exit path. Async-signal-safe.
void RemoveAbandonedTemporaryFiles();
