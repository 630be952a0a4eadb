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

// Resolves one output name; throws a Failure for a name that cannot be
// written: a directory, a FIFO, a socket, a block device, a link to a
// missing file, a missing folder.
OutputTarget ResolveOutputPath(std::string const& name);

// Whether two resolved outputs are one file, through links, "." and "..",
// or hard links.
bool SameFile(OutputTarget const& a, OutputTarget const& b);
