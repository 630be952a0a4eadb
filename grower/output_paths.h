#pragma once

#include <string>
#include <vector>

// Where an output named on the command line really goes.
struct OutputTarget {
    enum class Kind {
        NewFile,         // nothing there yet: made under a temporary name and renamed
        RegularFile,     // replaced whole by a rename; the old file stays until then
        CharacterDevice, // such as /dev/null or /dev/stdout: written in place, never replaced
    };
    Kind kind = Kind::NewFile;
    // The file a rename replaces, with every symbolic link resolved, so a
    // link stays a link and its target gets the new contents.
    std::string path;
    // The folder that holds it, for the temporary file.
    std::string folder;
};

struct ResolvedOutput {
    OutputTarget target;
    std::string error;  // empty when the name can be written
    int status = 0;     // the exit status that goes with the error
};

// Resolves one output name. Refused: a directory, a FIFO, a socket, a
// block device, a link to a missing file, a missing folder.
ResolvedOutput ResolveOutputPath(std::string const& name);

// One output asked for on the command line: the option and the file name.
struct RequestedOutput {
    std::string option;
    std::string name;
};

// Checks every output before any work: each one can be written (as
// ResolveOutputPath), and no two name the same file, through links, "." and
// "..", or hard links. Returns an empty string or the first refusal, with
// its exit status.
std::string CheckOutputs(std::vector<RequestedOutput> const& outputs, int& status);
