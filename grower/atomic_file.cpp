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

AtomicFile::AtomicFile(std::string name, OutputTarget target)
    : name(std::move(name))
    , target(std::move(target))
{
}

AtomicFile::~AtomicFile()
{
    Discard();
}

void AtomicFile::Refuse(int errorNumber)
{
    Discard();
    throw WriteFault(name, errorNumber);
}

Failure AtomicFile::WriteFailure(int errorNumber, std::string const& reason)
{
    if (std::ferror(stream))
        return WriteFault(name, errorNumber);
    return EncodeFault(name, reason);
}

std::uint64_t AtomicFile::BytesWritten()
{
    std::fflush(stream);
#ifdef _WIN32
    long long const position = _ftelli64(stream);
#else
    long long const position = ftello(stream);
#endif
    return position < 0 ? 0 : static_cast<std::uint64_t>(position);
}

void AtomicFile::Flush()
{
    errno = 0;
    if (std::fflush(stream) != 0 || std::ferror(stream))
        throw WriteFault(name, errno);
}

void AtomicFile::Open()
{
    if (target.kind == OutputTarget::Kind::CharacterDevice) {
        stream = OpenDeviceForWriting(target.path.c_str());
        if (!stream)
            throw WriteFault(name, errno);
        return;
    }

    pending = AddPendingFile(target.folder + "/" + TEMPORARY_NAME_PATTERN);
    if (!pending)
        Refuse(ENOMEM);
    stream = CreateDeletableFile(*pending);
    if (!stream)
        Refuse(errno);
#ifndef _WIN32
    if (target.kind == OutputTarget::Kind::RegularFile)
        KeepMode(stream, target.path);
#endif
}

void AtomicFile::Commit()
{
    if (!stream)
        throw Failure(EXIT_INTERNAL_ERROR, "cannot write '" + name + "': not open");
    errno = 0;
    bool const written = FlushToDisk(stream, pending != nullptr);
    int const writeError = errno;
    bool const closed = std::fclose(stream) == 0;
    int const closeError = errno;
    stream = nullptr;
    if (!written || !closed)
        Refuse(!written ? writeError : closeError);
    if (!pending)
        return; // a device, written in place

    if (!RenameOver(PendingFilePath(*pending), target.path.c_str()))
        Refuse(errno);
    ForgetPendingFile(pending);
    pending = nullptr;
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
