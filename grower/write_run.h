#pragma once

#include "globe/globe_point.h"
#include "grower/atomic_file.h"
#include "grower/grower_options.h"
#include "grower/metadata_export.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

// The grown planet as statistics the files need.
struct GrownGrid {
    GlobePoint const* points;
    std::int32_t n;
    double meanRadius;
    double maxRadius;
};

// What the writers of one run write from, and what they leave for the ones
// after them.
struct WriteRun {
    GrowerOptions const& options;
    bool showProgress;
    GrownGrid grid;
    // The run for the metadata; the 16-bit files fill in their range.
    RunDescription description;
    // Draws and writes the picture (--image, every view but the texture)
    // with the program's own renderer, which each grid size builds; returns
    // what the metadata adds about it, and adds the drawing's time to
    // renderMs.
    std::function<std::vector<FileDetail>(AtomicFile& file)> writePicture;

    // Every file written so far, in the order written, for the metadata.
    std::vector<WrittenFile> written;
    long long renderMs = 0;
};
