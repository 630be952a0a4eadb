#include "tools/output_paths.h"

#include "tools/exit_status.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <system_error>

#ifndef _WIN32
#include <sys/stat.h>
#endif

namespace fs = std::filesystem;

namespace {

std::string Refusal(std::string const& name, std::string const& reason)
{
    return "cannot write '" + name + "': " + reason;
}

ResolvedOutput Refused(std::string const& name, std::string const& reason, int status)
{
    ResolvedOutput refused;
    refused.error = Refusal(name, reason);
    refused.status = status;
    return refused;
}

#ifdef _WIN32
// CON, PRN, AUX, NUL, COM1-9 and LPT1-9, with or without an extension, are
// devices in every folder.
bool IsWindowsDeviceName(fs::path const& path)
{
    std::string stem = path.filename().string();
    stem = stem.substr(0, stem.find('.'));
    while (!stem.empty() && (stem.back() == ' ' || stem.back() == ':'))
        stem.pop_back();
    for (char& c : stem)
        c = static_cast<char>(c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c);
    if (stem == "CON" || stem == "PRN" || stem == "AUX" || stem == "NUL")
        return true;
    return stem.size() == 4 && (stem.rfind("COM", 0) == 0 || stem.rfind("LPT", 0) == 0) && stem[3] >= '1'
        && stem[3] <= '9';
}
#endif

std::string FolderOf(fs::path const& path)
{
    fs::path const folder = path.parent_path();
    return folder.empty() ? std::string(".") : folder.string();
}

}

ResolvedOutput ResolveOutputPath(std::string const& name)
{
    if (name.empty())
        return Refused(name, "no file name", EXIT_BAD_INPUT);
    fs::path const given(name);
    ResolvedOutput resolved;
#ifdef _WIN32
    if (IsWindowsDeviceName(given)) {
        resolved.target.kind = OutputTarget::Kind::CharacterDevice;
        resolved.target.path = name;
        resolved.target.folder = FolderOf(given);
        return resolved;
    }
#endif
    std::error_code ec;
    fs::file_status const link = fs::symlink_status(given, ec);
    if (ec && ec != std::errc::no_such_file_or_directory)
        return Refused(name, ec.message(), StatusForErrno(ec.value()));
    if (!fs::exists(link)) {
        // A new file: its folder must exist and be a folder.
        fs::path const folder = FolderOf(given);
        fs::file_status const folderStatus = fs::status(folder, ec);
        if (!fs::exists(folderStatus))
            return Refused(name, std::strerror(ENOENT), EXIT_BAD_INPUT);
        if (!fs::is_directory(folderStatus))
            return Refused(name, std::strerror(ENOTDIR), EXIT_BAD_INPUT);
        resolved.target.path = (fs::weakly_canonical(folder, ec) / given.filename()).string();
        if (ec)
            resolved.target.path = name;
        resolved.target.folder = FolderOf(resolved.target.path);
        return resolved;
    }
    fs::file_status const status = fs::status(given, ec);
    if (!fs::exists(status))
        return Refused(name, "it is a link to a missing file", EXIT_BAD_INPUT);
    if (fs::is_directory(status))
        return Refused(name, "it is a directory", EXIT_BAD_INPUT);
    if (fs::is_character_file(status)) {
        resolved.target.kind = OutputTarget::Kind::CharacterDevice;
        resolved.target.path = name;
        resolved.target.folder = FolderOf(given);
        return resolved;
    }
    if (!fs::is_regular_file(status))
        return Refused(name, "it is not a regular file", EXIT_BAD_INPUT);
    fs::path const canonical = fs::canonical(given, ec);
    if (ec)
        return Refused(name, ec.message(), StatusForErrno(ec.value()));
    resolved.target.kind = OutputTarget::Kind::RegularFile;
    resolved.target.path = canonical.string();
    resolved.target.folder = FolderOf(canonical);
    return resolved;
}

std::string CheckOutputs(std::vector<RequestedOutput> const& outputs, int& status)
{
    std::vector<ResolvedOutput> resolved;
    for (auto const& output : outputs) {
        resolved.push_back(ResolveOutputPath(output.name));
        if (!resolved.back().error.empty()) {
            status = resolved.back().status;
            return resolved.back().error;
        }
    }
    for (std::size_t i = 0; i < outputs.size(); ++i) {
        for (std::size_t j = 0; j < i; ++j) {
            std::error_code ec;
            bool same = resolved[i].target.path == resolved[j].target.path;
            if (!same && resolved[i].target.kind != OutputTarget::Kind::NewFile
                && resolved[j].target.kind != OutputTarget::Kind::NewFile)
                same = fs::equivalent(resolved[i].target.path, resolved[j].target.path, ec);
            if (same) {
                status = EXIT_BAD_INPUT;
                return outputs[j].option + " and " + outputs[i].option + " both name the file '"
                    + outputs[i].name + "'";
            }
        }
    }
    status = 0;
    return {};
}
