// The files of one run, driven by the table of outputs (output_table.h):
// each name resolved once, refused before any work when it cannot be
// written or names a file another output names, claimed under a temporary
// name, written after the growth, recorded for the metadata and renamed into
// place only once every one of them is written.
#pragma once

#include "grower/atomic_file.h"
#include "grower/output_table.h"

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

struct WriteRun;

// One file the run writes.
struct ClaimedOutput {
    OutputEntry const* entry;
    std::size_t index; // which of the entry's files (a cube map's face)
    AtomicFile file;
};

class ClaimedOutputs {
public:
    // Resolves and claims every file the options ask for; throws a Failure
    // for the first that cannot be written, or that names the same file as
    // an earlier one.
    ClaimedOutputs(GrowerOptions const& options, std::int32_t gridSize);

    // Writes every file in the table's order, recording each in
    // run.written. Throws a Failure when one cannot be written.
    void Write(WriteRun& run);

    // Renames every file into place.
    void Commit();

    std::vector<std::unique_ptr<ClaimedOutput>> const& Outputs() const { return outputs; }

private:
    void WriteSamples(WriteRun& run);

    std::int32_t gridSize;
    std::vector<std::unique_ptr<ClaimedOutput>> outputs;
};
