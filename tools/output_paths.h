#pragma once

#include "tools/export_options.h"

#include <string>
#include <vector>

// One file the command line asks for, with the option that names it.
struct OutputPath {
    char const* option; // "--dump", "--image", ...
    std::string path;
};

// Every output the options name, in the order they are written.
std::vector<OutputPath> ExportOutputPaths(ExportOptions const& options);

// Empty when no two outputs name the same file, else the complaint. Paths
// are compared after making them absolute and lexically normal, so "a.png"
// and "./x/../a.png" are one file (and, on Windows, regardless of case).
std::string CheckOutputsDistinct(std::vector<OutputPath> const& outputs);
