#include "tools/atomic_file.h"

#include "tools/deletable_stream.h"

#include <array>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <filesystem>

namespace {

// Temporary names still on disk, kept in plain buffers so an interrupt
// handler can remove them without allocating.
constexpr std::size_t MAX_PENDING = 4;
constexpr std::size_t MAX_PATH_LENGTH = 4096;
std::array<std::array<char, MAX_PATH_LENGTH>, MAX_PENDING> g_pending {};

void RememberPending(std::string const& path)
{
    if (path.size() >= MAX_PATH_LENGTH)
        return;
    for (auto& slot : g_pending) {
        if (slot[0] == '\0') {
            std::memcpy(slot.data(), path.c_str(), path.size() + 1);
            return;
        }
    }
}

void ForgetPending(std::string const& path)
{
    for (auto& slot : g_pending) {
        if (path == slot.data())
            slot[0] = '\0';
    }
}

std::string TemporaryNameFor(std::string const& destination)
{
    static unsigned counter = 0;
    auto const stamp = std::chrono::steady_clock::now().time_since_epoch().count();
    return destination + ".tmp-" + std::to_string(stamp) + "-" + std::to_string(++counter);
}

}

void RemoveAbandonedTemporaryFiles()
{
    for (auto& slot : g_pending) {
        if (slot[0] != '\0') {
            std::remove(slot.data());
            slot[0] = '\0';
        }
    }
}

AtomicFile::AtomicFile(std::string destination)
    : destination(std::move(destination))
{
}

AtomicFile::~AtomicFile()
{
    Discard();
}

bool AtomicFile::Open()
{
    std::error_code ec;
    if (std::filesystem::is_directory(destination, ec)) {
        error = "cannot write '" + destination + "': it is a directory";
        return false;
    }
    temporary = TemporaryNameFor(destination);
    RememberPending(temporary);
    stream = OpenDeletableForWriting(temporary);
    if (!stream) {
        error = "cannot write '" + destination + "': " + std::strerror(errno);
        ForgetPending(temporary);
        temporary.clear();
        return false;
    }
    return true;
}

bool AtomicFile::Commit()
{
    if (!stream) {
        error = "cannot write '" + destination + "': not open";
        return false;
    }
    bool const written = std::fflush(stream) == 0 && !std::ferror(stream);
    bool const closed = std::fclose(stream) == 0;
    stream = nullptr;
    if (!written || !closed) {
        error = "cannot write '" + destination + "': " + std::strerror(errno);
        Discard();
        return false;
    }
    std::error_code ec;
    std::filesystem::rename(temporary, destination, ec);
    if (ec) {
        error = "cannot write '" + destination + "': " + ec.message();
        Discard();
        return false;
    }
    ForgetPending(temporary);
    temporary.clear();
    return true;
}

void AtomicFile::Discard()
{
    if (stream) {
        std::fclose(stream);
        stream = nullptr;
    }
    if (!temporary.empty()) {
        std::remove(temporary.c_str());
        ForgetPending(temporary);
        temporary.clear();
    }
}
