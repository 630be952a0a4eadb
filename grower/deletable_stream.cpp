#include "grower/deletable_stream.h"

#include <cerrno>
#include <cstring>

#ifdef _WIN32

#include <fcntl.h>
#include <io.h>
#include <windows.h>

namespace {

int ErrnoFor(DWORD error)
{
    switch (error) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_NAME:
        return ENOENT;
    case ERROR_ACCESS_DENIED:
    case ERROR_SHARING_VIOLATION:
    case ERROR_WRITE_PROTECT:
        return EACCES;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
        return ENOSPC;
    case ERROR_NOT_ENOUGH_MEMORY:
    case ERROR_OUTOFMEMORY:
        return ENOMEM;
    case ERROR_FILENAME_EXCED_RANGE:
        return ENAMETOOLONG;
    default:
        return EIO;
    }
}

// Fills the trailing X's of `path` with a name made of the process id, a
// counter and the tick count.
void FillUniqueName(char* path, unsigned attempt)
{
    static unsigned counter = 0;
    unsigned long long value = (static_cast<unsigned long long>(GetCurrentProcessId()) << 32)
        ^ (static_cast<unsigned long long>(++counter) << 20) ^ GetTickCount64() ^ attempt;
    constexpr char DIGITS[] = "0123456789abcdefghijklmnopqrstuvwxyz";
    for (char* end = path + std::strlen(path); end > path && end[-1] == 'X'; --end) {
        end[-1] = DIGITS[value % 36];
        value /= 36;
    }
}

}

std::FILE* CreateDeletableFile(PendingFile& file)
{
    char* const path = PendingFilePath(file);
    std::size_t const length = std::strlen(path);
    std::size_t const patternLength = sizeof TEMPORARY_NAME_PATTERN - 1;
    HANDLE handle = INVALID_HANDLE_VALUE;
    {
        // No console control cleanup between the file's making and its mark.
        SignalsHeldBack const held;
        for (unsigned attempt = 0; attempt < 100; ++attempt) {
            std::memcpy(path + length - patternLength, TEMPORARY_NAME_PATTERN, patternLength);
            FillUniqueName(path, attempt);
            handle = CreateFileA(path, GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_DELETE, nullptr, CREATE_NEW,
                FILE_ATTRIBUTE_NORMAL | FILE_ATTRIBUTE_HIDDEN, nullptr);
            if (handle != INVALID_HANDLE_VALUE || GetLastError() != ERROR_FILE_EXISTS)
                break;
        }
        if (handle == INVALID_HANDLE_VALUE) {
            errno = ErrnoFor(GetLastError());
            return nullptr;
        }
        MarkPendingFileMade(file);
    }
    int const descriptor = _open_osfhandle(reinterpret_cast<intptr_t>(handle), _O_WRONLY | _O_BINARY);
    if (descriptor == -1) {
        CloseHandle(handle);
        DeleteFileA(path);
        errno = EMFILE;
        return nullptr;
    }
    std::FILE* stream = _fdopen(descriptor, "wb");
    if (!stream) {
        _close(descriptor);
        DeleteFileA(path);
        errno = ENOMEM;
    }
    return stream;
}

std::FILE* OpenDeviceForWriting(char const* path)
{
    HANDLE const handle = CreateFileA(path, GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
        FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        errno = ErrnoFor(GetLastError());
        return nullptr;
    }
    int const descriptor = _open_osfhandle(reinterpret_cast<intptr_t>(handle), _O_WRONLY | _O_BINARY);
    if (descriptor == -1) {
        CloseHandle(handle);
        errno = EMFILE;
        return nullptr;
    }
    std::FILE* stream = _fdopen(descriptor, "wb");
    if (!stream) {
        _close(descriptor);
        errno = ENOMEM;
    }
    return stream;
}

bool RenameOver(char const* from, char const* to)
{
    if (MoveFileExA(from, to, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return true;
    errno = ErrnoFor(GetLastError());
    return false;
}

#else

#include <cstdlib>
#include <sys/stat.h>
#include <unistd.h>

std::FILE* CreateDeletableFile(PendingFile& file)
{
    char* const path = PendingFilePath(file);
    int descriptor;
    {
        // No signal between the file's making and its mark.
        SignalsHeldBack const held;
        descriptor = mkstemp(path);
        if (descriptor < 0)
            return nullptr;
        MarkPendingFileMade(file);
    }
    // mkstemp makes the file private; give it the mode a plain new file gets.
    mode_t const mask = umask(0);
    umask(mask);
    fchmod(descriptor, 0666 & ~mask);
    std::FILE* stream = fdopen(descriptor, "wb");
    if (!stream) {
        int const error = errno;
        close(descriptor);
        unlink(path);
        errno = error;
    }
    return stream;
}

std::FILE* OpenDeviceForWriting(char const* path)
{
    return std::fopen(path, "wb");
}

bool RenameOver(char const* from, char const* to)
{
    return std::rename(from, to) == 0;
}

#endif
