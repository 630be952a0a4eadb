#pragma once

#include "grower/failure.h"
#include "grower/output_paths.h"
#include "grower/pending_files.h"

#include <cstdint>
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
    // `target` is where `name` (as given, for messages) resolved to.
    AtomicFile(std::string name, OutputTarget target);
    ~AtomicFile();

    AtomicFile(AtomicFile const&) = delete;
    AtomicFile& operator=(AtomicFile const&) = delete;

    // Creates the temporary file; throws a Failure when the destination
    // cannot be written.
    void Open();

    std::FILE* Stream() { return stream; }
    std::string const& Name() const { return name; }

    // How many bytes have gone into the file so far (after flushing it).
    std::uint64_t BytesWritten();

    // Flushes the data to disk, closes and renames; throws a Failure on any
    // failure, in which case the destination is untouched.
    void Commit();

    // Removes the temporary file now.
    void Discard();

    // Pushes the buffered data to the file; throws a Failure naming the
    // system's reason when it does not fit.
    void Flush();

    // The failure of a write to this file: the system's reason (an errno
    // value) when the stream took an error, else the encoder's `reason`.
    Failure WriteFailure(int errorNumber, std::string const& reason);

private:
    [[noreturn]] void Refuse(int errorNumber);

    std::string name;
    OutputTarget target;
    PendingFile* pending = nullptr;
    std::FILE* stream = nullptr;
};

// Removes every temporary file that is not yet renamed into place; for a
// signal handler or an exit path. Async-signal-safe.
void RemoveAbandonedTemporaryFiles();
