#pragma once

#include "grower/option_values.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// The command line of morva<N>-grower.
struct GrowerOptions {
    std::optional<std::int32_t> seed1;
    std::optional<std::int32_t> seed2;
    std::int32_t passes = 3001;
    std::string dumpPath;
    std::string imagePath;
    std::optional<ImageView> view;
    std::optional<ImageSize> imageSize;
    std::optional<ImageSize> screenSize; // --view window only
    std::string heightmapPath;
    std::optional<ImageSize> heightmapSize; // default 2N x N
    std::string meshPath;
    std::optional<double> relief; // --mesh only; default 1
    std::optional<Sampling> sampling; // default pixel
    std::optional<PixelRegion> region;
    std::optional<HeightRange> heightRange; // default: every height sample the run writes
    std::string cubeHeightmapPattern;
    std::string cubeTexturePattern;
    std::optional<std::int32_t> faceSize; // default DEFAULT_FACE_SIZE
    std::string metadataPath;
    bool timings = false;
    bool quiet = false;
    bool help = false;
    bool version = false;
};

// Reads the command line (without the program's name) by the table of
// options (option_table.cpp), then checks the options that only make sense
// together unless --help or --version asks for nothing else. Throws a
// Failure for a command line the grower cannot take.
GrowerOptions ParseGrowerOptions(std::vector<std::string> const& args);

// The usage text, from the same table.
std::string GrowerUsage(std::string const& program);

// The checks of options that only make sense together (option_checks.cpp);
// each throws a Failure for bad input.
void CheckOptionsTogether(GrowerOptions const& options);
// Refuses a view this build cannot draw: --view window where the window
// cannot be painted.
void CheckViewAvailable(GrowerOptions const& options, bool windowViewAvailable);
// The checks that need the grid's size: a --region must lie inside each map
// it is a window of.
void CheckMapWindows(GrowerOptions const& options, std::int32_t gridSize);

// The size of the whole equirectangular map of the heightmap:
// --heightmap-size, default 2N x N for a grid of N x N points.
ImageSize HeightmapMapSize(GrowerOptions const& options, std::int32_t gridSize);

