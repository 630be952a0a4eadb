#pragma once

#include <cstdio>
#include <string>

// A file written under a temporary name in the destination's folder and
// renamed into place only by Commit, so the destination never holds a
// partial file. Without a Commit the temporary file is removed.
class AtomicFile {
public:
    explicit AtomicFile(std::string destination);
    ~AtomicFile();

    AtomicFile(AtomicFile const&) = delete;
    AtomicFile& operator=(AtomicFile const&) = delete;

    // Creates the temporary file; false (with Error() set) when the folder
    // is not writable.
    bool Open();

    std::FILE* Stream() { return stream; }
    std::string const& Error() const { return error; }

    // Flushes, closes and renames; false (with Error() set) on any failure,
    // in which case the destination is untouched.
    bool Commit();

    // Removes the temporary file now.
    void Discard();

private:
    std::string destination;
    std::string temporary;
    std::FILE* stream = nullptr;
    std::string error;
};

// Removes every still-open temporary file; for a signal handler or exit path.
void RemoveAbandonedTemporaryFiles();
