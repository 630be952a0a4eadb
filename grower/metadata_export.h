#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <variant>
#include <vector>

// One more fact about a written file: a text, a whole number or a real.
using FileDetail = std::pair<std::string, std::variant<std::string, std::int64_t, double>>;

// One file a run wrote, as the metadata lists it.
struct WrittenFile {
    std::string kind; // "heightmap", "image", "mesh", "dump"
    std::string path; // as given on the command line
    std::uint64_t bytes = 0;
    // What else the kind has to say. Plain values, not JSON: a JSON value
    // allocates while it is destroyed, which ends the process when memory
    // has run out, so JSON is made only for the metadata file itself.
    std::vector<FileDetail> details {};
};

// What a run grew, and how to grow it again.
struct RunDescription {
    std::string program;
    std::int32_t gridSize = 0;
    std::int32_t seed1 = 0;
    std::int32_t seed2 = 0;
    std::int32_t passes = 0;
    std::vector<std::string> commandLine; // every argument, the program's name first
    double meanRadius = 0;
    double maxRadius = 0;
    double minRadius = 0;
    double seaLevelRadius = 0;
    std::string version; // the release that grew it
    // The radii 16-bit heights map to 0 and 65535, when such a file was written.
    std::optional<std::pair<double, double>> sixteenBitRange;
};

// The metadata document, as indented JSON text ending in a newline.
std::string MetadataText(RunDescription const& run, std::vector<WrittenFile> const& files);
