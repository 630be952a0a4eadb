#pragma once

#include "globe/globe_point.h"
#include "grower/atomic_file.h"
#include "grower/grower_options.h"
#include "grower/metadata_export.h"

#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

// The grown planet as statistics the world files need.
struct GrownGrid {
    GlobePoint const* points;
    std::int32_t n;
    double meanRadius;
    double maxRadius;
};

// The mesh and metadata of one run. Each is claimed under a
// temporary name before the growth, written after it, and renamed into
// place by Commit only once every output of the run has been written.
class WorldExport {
public:
    WorldExport(GrowerOptions const& options, std::string program, bool showProgress);

    // Creates the temporary files; empty, or why one cannot be written.
    std::string Open();

    // Writes the mesh. Empty, or why it failed.
    std::string WriteMesh(GrownGrid const& grid);

    // Lists a file this run wrote besides these, for the metadata.
    void NoteWritten(WrittenFile file) { written.push_back(std::move(file)); }

    // Writes the metadata listing everything written so far.
    std::string WriteMetadata(RunDescription const& run);

    // Renames the files into place. Empty, or why one failed.
    std::string Commit();

    bool WantsMetadata() const { return metadata != nullptr; }

    // The exit status that goes with the last failure.
    int Status() const { return status; }

private:
    std::string WriteFailure(AtomicFile& file, std::string const& path, std::string const& reason);

    GrowerOptions const& options;
    std::string program;
    bool showProgress;
    std::unique_ptr<AtomicFile> mesh;
    std::unique_ptr<AtomicFile> metadata;
    std::vector<WrittenFile> written;
    int status = 0;
};

// How many bytes have gone into a stream so far (after flushing it).
std::uint64_t StreamBytes(std::FILE* stream);
