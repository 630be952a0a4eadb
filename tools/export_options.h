#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// The command line of morva<N>-export.
struct ExportOptions {
    std::optional<std::int32_t> seed1;
    std::optional<std::int32_t> seed2;
    std::int32_t passes = 3001;
    std::string dumpPath;
    bool quiet = false;
    bool help = false;
};

struct ParsedExportOptions {
    ExportOptions options;
    std::string error; // empty when the command line is good
};

ParsedExportOptions ParseExportOptions(std::vector<std::string> const& args);

std::string ExportUsage(std::string const& program);

// Strict decimal integer parsing: an optional sign, digits, nothing else.
std::optional<std::int64_t> ParseInteger(std::string const& text);
