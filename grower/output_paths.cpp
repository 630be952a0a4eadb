#include "grower/output_paths.h"

#include "grower/exit_status.h"
#include "grower/failure.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <system_error>

#ifdef _WIN32
#include <windows.h>
#endif

namespace fs = std::filesystem;

namespace {

[[noreturn]] void Refuse(std::string const& name, std::string const& reason, int status)
{
    throw Failure(status, "cannot write '" + name + "': " + reason);
}

#ifdef _WIN32
// CON, PRN, AUX, NUL, COM1-9 and LPT1-9, with or without an extension, are
// devices in every folder.
bool IsWindowsDeviceName(std::string const& name)
{
    auto const separator = name.find_last_of("/\\:");
    std::string stem = separator == std::string::npos ? name : name.substr(separator + 1);
    stem = stem.substr(0, stem.find('.'));
    while (!stem.empty() && stem.back() == ' ')
        stem.pop_back();
    for (char& c : stem)
        c = static_cast<char>(c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c);
    if (stem == "CON" || stem == "PRN" || stem == "AUX" || stem == "NUL")
        return true;
    return stem.size() == 4 && (stem.rfind("COM", 0) == 0 || stem.rfind("LPT", 0) == 0) && stem[3] >= '1'
        && stem[3] <= '9';
}
#endif

#ifndef _WIN32
std::string FolderOf(fs::path const& path)
{
    fs::path const folder = path.parent_path();
    return folder.empty() ? std::string(".") : folder.string();
}
#endif

#ifdef _WIN32

// The folder part of a name, by its last separator; "." for a bare name.
std::string WindowsFolderOf(std::string const& name)
{
    auto const separator = name.find_last_of("/\\");
    if (separator == std::string::npos)
        return ".";
    return separator == 0 ? name.substr(0, 1) : name.substr(0, separator);
}

// The full path, for telling two names of one file apart: the names stay
// in the active code page (UTF-8), which std::filesystem does not follow.
std::string FullPathOf(std::string const& name)
{
    char buffer[4096];
    DWORD const length = GetFullPathNameA(name.c_str(), sizeof buffer, buffer, nullptr);
    std::string full = length > 0 && length < sizeof buffer ? std::string(buffer, length) : name;
    for (char& c : full)
        c = c == '/' ? '\\' : static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    return full;
}

#endif

}

#ifdef _WIN32

OutputTarget ResolveOutputPath(std::string const& name)
{
    if (name.empty())
        Refuse(name, "no file name", EXIT_BAD_INPUT);
    OutputTarget resolved;
    resolved.path = name;
    resolved.folder = WindowsFolderOf(name);
    if (IsWindowsDeviceName(name)) {
        resolved.kind = OutputTarget::Kind::CharacterDevice;
        return resolved;
    }
    DWORD const attributes = GetFileAttributesA(name.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        DWORD const folder = GetFileAttributesA(resolved.folder.c_str());
        if (folder == INVALID_FILE_ATTRIBUTES)
            Refuse(name, std::strerror(ENOENT), EXIT_BAD_INPUT);
        if (!(folder & FILE_ATTRIBUTE_DIRECTORY))
            Refuse(name, std::strerror(ENOTDIR), EXIT_BAD_INPUT);
        return resolved;
    }
    if (attributes & FILE_ATTRIBUTE_DIRECTORY)
        Refuse(name, "it is a directory", EXIT_BAD_INPUT);
    resolved.kind = OutputTarget::Kind::RegularFile;
    return resolved;
}

bool SameFile(OutputTarget const& a, OutputTarget const& b)
{
    return FullPathOf(a.path) == FullPathOf(b.path);
}

#else

OutputTarget ResolveOutputPath(std::string const& name)
{
    if (name.empty())
        Refuse(name, "no file name", EXIT_BAD_INPUT);
    fs::path const given(name);
    OutputTarget resolved;
    std::error_code ec;
    fs::file_status const link = fs::symlink_status(given, ec);
    if (ec && ec != std::errc::no_such_file_or_directory)
        Refuse(name, ec.message(), StatusForErrno(ec.value()));
    if (!fs::exists(link)) {
        // A new file: its folder must exist and be a folder.
        fs::path const folder = FolderOf(given);
        fs::file_status const folderStatus = fs::status(folder, ec);
        if (!fs::exists(folderStatus))
            Refuse(name, std::strerror(ENOENT), EXIT_BAD_INPUT);
        if (!fs::is_directory(folderStatus))
            Refuse(name, std::strerror(ENOTDIR), EXIT_BAD_INPUT);
        resolved.path = (fs::weakly_canonical(folder, ec) / given.filename()).string();
        if (ec)
            resolved.path = name;
        resolved.folder = FolderOf(resolved.path);
        return resolved;
    }
    fs::file_status const status = fs::status(given, ec);
    if (!fs::exists(status))
        Refuse(name, "it is a link to a missing file", EXIT_BAD_INPUT);
    if (fs::is_directory(status))
        Refuse(name, "it is a directory", EXIT_BAD_INPUT);
    if (fs::is_character_file(status)) {
        resolved.kind = OutputTarget::Kind::CharacterDevice;
        resolved.path = name;
        resolved.folder = FolderOf(given);
        return resolved;
    }
    if (!fs::is_regular_file(status))
        Refuse(name, "it is not a regular file", EXIT_BAD_INPUT);
    fs::path const canonical = fs::canonical(given, ec);
    if (ec)
        Refuse(name, ec.message(), StatusForErrno(ec.value()));
    resolved.kind = OutputTarget::Kind::RegularFile;
    resolved.path = canonical.string();
    resolved.folder = FolderOf(canonical);
    return resolved;
}

bool SameFile(OutputTarget const& a, OutputTarget const& b)
{
    if (a.path == b.path)
        return true;
    std::error_code ec;
    return a.kind != OutputTarget::Kind::NewFile && b.kind != OutputTarget::Kind::NewFile
        && fs::equivalent(a.path, b.path, ec);
}

#endif
