#pragma once

#include "globe/cut.h"
#include "grower/atomic_file.h"
#include "grower/metadata_export.h"
#include "grower/sampled_files.h"
#include "grower/shared_rows.h"
#include "grower/world_export.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

// The files whose pixels are samples of the planet: the heightmap, the
// texture and the cube faces. Each is claimed before the growth, written
// after it (files of one surface from the same points, each on a thread of
// its own), and renamed into place by Commit.
class SampledOutputs {
public:
    SampledOutputs(GrowerOptions const& options, std::int32_t gridSize, bool showProgress);
    ~SampledOutputs();

    // Creates the temporary files; empty, or why one cannot be written.
    std::string Open();

    // True when some file grows its pixels as points of their own, from the
    // run's cuts.
    bool GrowsPixels() const;

    // Writes every file. `cuts` are the run's reaching cuts (see
    // DrawReachingCuts), for the files grown per pixel. Empty, or why it
    // failed.
    std::string Write(GrownGrid const& grid, std::vector<Cut> const& cuts);

    // The radii the 16-bit heights were mapped from, when one was written.
    std::optional<RadiusRange> SixteenBitRange() const { return sixteenBitRange; }

    // What was written, for the metadata.
    std::vector<WrittenFile> const& Written() const { return written; }

    // Renames the files into place. Empty, or why one failed.
    std::string Commit();

    // The exit status that goes with the last failure.
    int Status() const { return status; }

private:
    struct Claimed;

    // Grows the surfaces that have heightmaps, finding the range of every
    // height sample the run writes, and writes their files that need no
    // range on the way. Empty, or why a file failed.
    std::string MeasureRange(std::vector<std::vector<Claimed*>> const& surfaces, GrownGrid const& grid,
        std::vector<Cut> const& cuts, std::optional<RadiusRange>& range);
    // Writes files of one surface from the radii `make` makes, each on a
    // thread of its own (none: the radii are only made).
    std::string WriteTogether(SampleSurface const& surface, std::vector<Claimed*> const& together,
        SharedRows::MakeStrip const& make, GrownGrid const& grid, RadiusRange range, std::string const& alsoDoing);
    void Record(Claimed const& file, RadiusRange range);

    GrowerOptions const& options;
    bool showProgress;
    std::vector<std::unique_ptr<Claimed>> files;
    std::optional<RadiusRange> sixteenBitRange;
    // Height samples grown to measure their range, kept to be written.
    std::vector<SampleSurface> keptSurfaces;
    std::vector<std::vector<float>> keptSamples;
    std::vector<WrittenFile> written;
    int status = 0;
};
