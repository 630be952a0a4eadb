#pragma once

#include "globe/cut.h"
#include "grower/atomic_file.h"
#include "grower/metadata_export.h"
#include "grower/sampled_files.h"
#include "grower/shared_rows.h"
#include "grower/write_run.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

// A sampled file and the claimed file it goes into.
struct SampledTarget {
    SampledFile file;
    AtomicFile* atomic;
};

// The files whose pixels are samples of the planet: the heightmap, the
// texture and the cube faces, claimed before the growth and written after
// it, files of one surface from the same points, each on a thread of its
// own. The surfaces are written in order: the map, then the faces; heights
// before colours on each.
class SampledOutputs {
public:
    SampledOutputs(GrowerOptions const& options, bool showProgress, std::vector<SampledTarget> targets);
    ~SampledOutputs();

    // True when some file grows its pixels as points of their own, from the
    // run's cuts.
    bool GrowsPixels() const;

    // Writes every file, recording each in `written` once it is flushed.
    // `cuts` are the run's reaching cuts (see DrawReachingCuts), for the
    // files grown per pixel. Throws a Failure when a file cannot be written.
    void Write(GrownGrid const& grid, std::vector<Cut> const& cuts, std::vector<WrittenFile>& written);

    // The radii the 16-bit heights were mapped from, when one was written.
    std::optional<RadiusRange> SixteenBitRange() const { return sixteenBitRange; }

private:
    struct Claimed;

    // Grows the surfaces that have heightmaps, finding the range of every
    // height sample the run writes, and writes their files that need no
    // range on the way. Empty, or why a file failed.
    void MeasureRange(std::vector<std::vector<Claimed*>> const& surfaces, GrownGrid const& grid,
        std::vector<Cut> const& cuts, std::optional<RadiusRange>& range);
    // Writes files of one surface from the radii `make` makes, each on a
    // thread of its own (none: the radii are only made).
    void WriteTogether(SampleSurface const& surface, std::vector<Claimed*> const& together,
        SharedRows::MakeStrip const& make, GrownGrid const& grid, RadiusRange range, std::string const& alsoDoing);
    void Record(Claimed const& file, RadiusRange range);

    GrowerOptions const& options;
    bool showProgress;
    std::vector<std::unique_ptr<Claimed>> files;
    std::optional<RadiusRange> sixteenBitRange;
    // Height samples grown to measure their range, kept to be written.
    std::vector<SampleSurface> keptSurfaces;
    std::vector<std::vector<float>> keptSamples;
    std::vector<WrittenFile>* written = nullptr;
};
