#include "grower/atomic_file.h"

#include "grower/deletable_stream.h"
#include "grower/exit_status.h"

#include <cerrno>
#include <cstring>

#ifdef _WIN32
#include <io.h>
#else
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {

// Flushes the stream's buffer and, for a file, its data down to the disk,
// so a full disk shows here and not after the rename.
bool FlushToDisk(std::FILE* stream, bool toDisk)
{
    if (std::fflush(stream) != 0 || std::ferror(stream))
        return false;
    if (!toDisk)
        return true; // a device has no disk to flush to
#ifdef _WIN32
    return _commit(_fileno(stream)) == 0;
#else
    return fsync(fileno(stream)) == 0 || errno == EINVAL || errno == EROFS;
#endif
}

#ifndef _WIN32
// A replaced file keeps its permissions.
void KeepMode(std::FILE* stream, std::string const& original)
{
    struct stat status;
    if (stat(original.c_str(), &status) == 0)
        fchmod(fileno(stream), status.st_mode & 07777);
}
#endif

}

void RemoveAbandonedTemporaryFiles()
{
    RemovePendingFiles();
}

AtomicFile::AtomicFile(std::string destination)
    : destination(std::move(destination))
{
}

AtomicFile::~AtomicFile()
{
    Discard();
}

bool AtomicFile::Refuse(int errorNumber)
{
    FailWith(errorNumber);
    Discard();
    return false;
}

void AtomicFile::FailWith(int errorNumber)
{
    error = "cannot write '" + destination + "': "
        + (errorNumber ? std::strerror(errorNumber) : std::string("input/output error"));
    status = errorNumber ? StatusForErrno(errorNumber) : EXIT_SYSTEM_REFUSED;
}

bool AtomicFile::Flush()
{
    errno = 0;
    if (std::fflush(stream) == 0 && !std::ferror(stream))
        return true;
    FailWith(errno);
    return false;
}

bool AtomicFile::Open()
{
    ResolvedOutput const resolved = ResolveOutputPath(destination);
    if (!resolved.error.empty()) {
        error = resolved.error;
        status = resolved.status;
        return false;
    }
    target = resolved.target;

    if (target.kind == OutputTarget::Kind::CharacterDevice) {
        stream = OpenDeviceForWriting(target.path.c_str());
        if (!stream) {
            FailWith(errno);
            return false;
        }
        return true;
    }

    pending = AddPendingFile(target.folder + "/" + TEMPORARY_NAME_PATTERN);
    if (!pending)
        return Refuse(ENOMEM);
    stream = CreateDeletableFile(*pending);
    if (!stream)
        return Refuse(errno);
#ifndef _WIN32
    if (target.kind == OutputTarget::Kind::RegularFile)
        KeepMode(stream, target.path);
#endif
    return true;
}

bool AtomicFile::Commit()
{
    if (!stream) {
        if (error.empty()) {
            error = "cannot write '" + destination + "': not open";
            status = EXIT_INTERNAL_ERROR;
        }
        return false;
    }
    errno = 0;
    bool const written = FlushToDisk(stream, pending != nullptr);
    int const writeError = errno;
    bool const closed = std::fclose(stream) == 0;
    int const closeError = errno;
    stream = nullptr;
    if (!written || !closed)
        return Refuse(!written ? writeError : closeError);
    if (!pending)
        return true; // a device, written in place

    if (!RenameOver(PendingFilePath(*pending), target.path.c_str()))
        return Refuse(errno);
    ForgetPendingFile(pending);
    pending = nullptr;
    return true;
}

void AtomicFile::Discard()
{
    if (stream) {
        std::fclose(stream);
        stream = nullptr;
    }
    if (pending) {
        {
            SignalsHeldBack const held;
            std::remove(PendingFilePath(*pending));
        }
        ForgetPendingFile(pending);
        pending = nullptr;
    }
}
