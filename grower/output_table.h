// The files a run can write, one entry each: the option that names them,
// what the metadata calls them and how they are written. Everything else
// (resolving each name once, claiming it before the work, recording it in
// the metadata and renaming it into place) follows from the entry
// (claimed_outputs.h). A new output is one entry here and its writer.
#pragma once

#include "grower/grower_options.h"
#include "grower/metadata_export.h"
#include "grower/sampled_files.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <variant>
#include <vector>

class AtomicFile;
struct WriteRun;

// Writes one whole file; returns what the metadata adds about it. Throws a
// Failure when the file cannot be written.
using FileWriter = std::vector<FileDetail> (*)(WriteRun& run, AtomicFile& file);

// Files whose pixels are samples of the planet, written together with the
// others of their surface (sampled_outputs.h).
struct SampleWriter {
    SampleKind samples;
    // Where the pixels of the entry's `index`th file lie.
    SampleSurface (*surface)(GrowerOptions const& options, std::int32_t gridSize, std::size_t index);
};

struct OutputEntry {
    char const* option; // the option that names the files, for refusals
    char const* kind;   // what the metadata calls them
    // The files asked for, as named on the command line: none when not asked.
    std::vector<std::string> (*names)(GrowerOptions const& options);
    std::variant<FileWriter, SampleWriter> writer;
};

// Every output, in the order they are checked, written and renamed into
// place; the metadata, which lists the others, last.
std::vector<OutputEntry> const& OutputTable();
