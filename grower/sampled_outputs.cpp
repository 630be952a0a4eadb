#include "grower/sampled_outputs.h"

#include "render/float_conversion.h"
#include "grower/exit_status.h"
#include "grower/progress_line.h"
#include "grower/sample_writers.h"
#include "grower/shared_rows.h"
#include "grower/surface_radii.h"

#include <algorithm>
#include <cerrno>
#include <exception>
#include <new>
#include <thread>

struct SampledOutputs::Claimed {
    SampledFile file;
    AtomicFile* atomic;
    bool written = false;
};

namespace {

// The most height samples kept between measuring their range and writing
// them: 512 MiB. Beyond it the surfaces are grown twice instead.
constexpr std::size_t KEPT_SAMPLES_LIMIT = std::size_t { 1 } << 27;

std::string ProgressLabel(std::vector<SampledFile const*> const& files)
{
    std::string label;
    for (SampledFile const* file : files) {
        std::string const name = file->surface.face ? std::string("face ") + CubeFaceName(*file->surface.face)
            : file->samples == SampleKind::Height   ? "heightmap"
                                                    : "texture";
        if (label.find(name) == std::string::npos)
            label += (label.empty() ? "" : ", ") + name;
    }
    return label;
}

RadiusRange Union(std::optional<RadiusRange> const& a, RadiusRange b)
{
    return a ? RadiusRange { std::min(a->min, b.min), std::max(a->max, b.max) } : b;
}

// What one file's writer left behind on its thread.
struct WriterResult {
    std::string failure;
    int errorNumber = 0;
    std::exception_ptr exception;
};

std::string WriteSamples(SampledFile const& file, std::FILE* stream, RadiusRowSource const& rows, GrownGrid const& grid,
    RadiusRange range)
{
    ImageSize const size { file.surface.Width(), file.surface.Height() };
    if (file.samples == SampleKind::Height)
        return WriteHeightSamples(stream, file.format, size, range, rows);
    return WriteColorSamples(stream, size, RoundToSingle(grid.meanRadius), RoundToSingle(grid.maxRadius), rows);
}

// The order the surfaces are written in, and the files on each: the map,
// then the faces; heights before colours.
int WritingOrder(SampledFile const& file)
{
    int surface = 0;
    for (std::size_t i = 0; i < std::size(CUBE_FACES); ++i) {
        if (file.surface.face == CUBE_FACES[i])
            surface = static_cast<int>(i) + 1;
    }
    return 2 * surface + (file.samples == SampleKind::Height ? 0 : 1);
}

}

SampledOutputs::SampledOutputs(GrowerOptions const& options, bool showProgress, std::vector<SampledTarget> targets)
    : options(options)
    , showProgress(showProgress)
{
    std::stable_sort(targets.begin(), targets.end(),
        [](SampledTarget const& a, SampledTarget const& b) { return WritingOrder(a.file) < WritingOrder(b.file); });
    for (SampledTarget& target : targets)
        files.push_back(std::make_unique<Claimed>(Claimed { std::move(target.file), target.atomic, false }));
}

SampledOutputs::~SampledOutputs() = default;

bool SampledOutputs::GrowsPixels() const
{
    return std::any_of(files.begin(), files.end(),
        [](auto const& claimed) { return claimed->file.surface.sampling == Sampling::Pixel; });
}

namespace {

bool SixteenBit(SampledFile const& file)
{
    return file.samples == SampleKind::Height && HeightmapBits(file.format) == 16;
}

}

void SampledOutputs::Write(GrownGrid const& grid, std::vector<Cut> const& cuts, std::vector<WrittenFile>& writtenFiles)
{
    written = &writtenFiles;
    // The files of one surface are written together, from one growth.
    std::vector<std::vector<Claimed*>> surfaces;
    for (auto const& claimed : files) {
        auto const same = std::find_if(surfaces.begin(), surfaces.end(),
            [&](auto const& together) { return together.front()->file.surface == claimed->file.surface; });
        if (same == surfaces.end())
            surfaces.push_back({ claimed.get() });
        else
            same->push_back(claimed.get());
    }

    bool const sixteenBits
        = std::any_of(files.begin(), files.end(), [](auto const& claimed) { return SixteenBit(claimed->file); });
    RadiusRange range { 0.0, 0.0 };
    if (sixteenBits && options.heightRange)
        range = { options.heightRange->min, options.heightRange->max };
    else if (sixteenBits) {
        std::optional<RadiusRange> measured;
        MeasureRange(surfaces, grid, cuts, measured);
        range = measured.value_or(RadiusRange { 0.0, 0.0 });
    }
    if (sixteenBits)
        sixteenBitRange = range;

    for (std::vector<Claimed*> const& together : surfaces) {
        std::vector<Claimed*> left;
        std::copy_if(together.begin(), together.end(), std::back_inserter(left),
            [](Claimed const* claimed) { return !claimed->written; });
        if (left.empty())
            continue;
        SampleSurface const& surface = together.front()->file.surface;
        std::vector<float> const* kept = nullptr;
        for (std::size_t k = 0; k < keptSurfaces.size(); ++k) {
            if (keptSurfaces[k] == surface)
                kept = &keptSamples[k];
        }
        WriteTogether(surface, left, RadiusMaker(surface, grid, cuts, kept), grid, range, "");
    }
}

void SampledOutputs::MeasureRange(std::vector<std::vector<Claimed*>> const& surfaces, GrownGrid const& grid,
    std::vector<Cut> const& cuts, std::optional<RadiusRange>& range)
{
    // Every height sample the run writes: a file sampled from the grid
    // counts the whole grid, as such heightmaps always have.
    std::vector<std::vector<Claimed*> const*> grown;
    std::size_t samples = 0;
    for (std::vector<Claimed*> const& together : surfaces) {
        SampleSurface const& surface = together.front()->file.surface;
        if (std::none_of(together.begin(), together.end(),
                [](Claimed const* claimed) { return claimed->file.samples == SampleKind::Height; }))
            continue;
        if (!surface.face && surface.sampling == Sampling::Grid) {
            range = Union(range, GridRadiusRange(grid.points, static_cast<std::size_t>(grid.n) * grid.n));
            continue;
        }
        grown.push_back(&together);
        samples += static_cast<std::size_t>(surface.Width()) * static_cast<std::size_t>(surface.Height());
    }
    // The samples are kept for the 16-bit files, while they fit, so that the
    // surfaces need not be grown again. Then every file of a surface is
    // written from them afterwards, all at once, on a thread each: the
    // growth has every core to itself, and the files that need no range do
    // not leave a core idle while the 16-bit ones are written alone. Samples
    // that do not fit are grown twice, and the files that need no range are
    // written from the first growth.
    bool const keep = samples <= KEPT_SAMPLES_LIMIT;
    for (std::vector<Claimed*> const* together : grown) {
        SampleSurface const& surface = together->front()->file.surface;
        std::size_t const width = static_cast<std::size_t>(surface.Width());
        std::vector<float>* samplesKept = nullptr;
        if (keep) {
            keptSurfaces.push_back(surface);
            keptSamples.emplace_back();
            samplesKept = &keptSamples.back();
            samplesKept->reserve(width * static_cast<std::size_t>(surface.Height()));
        }
        SharedRows::MakeStrip const make = RadiusMaker(surface, grid, cuts, nullptr);
        SharedRows::MakeStrip const measuring = [&](std::int32_t first, std::int32_t rows, double* out) {
            make(first, rows, out);
            double* const end = out + static_cast<std::size_t>(rows) * width;
            auto const [low, high] = std::minmax_element(out, end);
            range = Union(range, { *low, *high });
            if (samplesKept)
                samplesKept->insert(samplesKept->end(), out, end);
        };
        std::vector<Claimed*> now;
        if (!keep) {
            std::copy_if(together->begin(), together->end(), std::back_inserter(now),
                [](Claimed const* claimed) { return !SixteenBit(claimed->file); });
        }
        WriteTogether(surface, now, measuring, grid, {}, "the heights' range");
    }
}

void SampledOutputs::WriteTogether(SampleSurface const& surface, std::vector<Claimed*> const& together,
    SharedRows::MakeStrip const& make, GrownGrid const& grid, RadiusRange range, std::string const& alsoDoing)
{
    SharedRows rows(surface.Width(), surface.Height(), StripRows(surface.Width()), static_cast<int>(together.size()));
    std::vector<WriterResult> results(together.size());
    std::vector<std::thread> writers;
    auto const joinAll = [&] {
        for (std::thread& writer : writers)
            writer.join();
    };

    std::vector<SampledFile const*> described;
    for (std::size_t i = 0; i < together.size(); ++i) {
        described.push_back(&together[i]->file);
        auto const write = [&, i] {
            WriterResult& result = results[i];
            try {
                int const reader = static_cast<int>(i);
                result.failure = WriteSamples(together[i]->file, together[i]->atomic->Stream(),
                    [&](std::int32_t y) { return rows.Row(reader, y); }, grid, range);
                result.errorNumber = errno;
            } catch (...) {
                result.exception = std::current_exception();
            }
            rows.Finish(static_cast<int>(i));
        };
        try {
            // A thread started with the signals held back never takes one:
            // the handlers, which remove the files, run on the main thread
            // only, never while it holds them back itself.
            SignalsHeldBack const held;
            writers.emplace_back(write);
        } catch (...) {
            // A thread the system cannot start is most often one it has no
            // memory for (its stack): the run ends as memory running out.
            rows.Stop();
            joinAll();
            throw std::bad_alloc();
        }
    }

    std::string label = ProgressLabel(described);
    if (!alsoDoing.empty())
        label += (label.empty() ? "" : " and ") + alsoDoing;
    ProgressLine progress(showProgress, label);
    try {
        rows.Make(make, [&](std::int32_t made) {
            progress.Update(static_cast<std::uint64_t>(made), static_cast<std::uint64_t>(surface.Height()));
        });
    } catch (...) {
        rows.Stop();
        joinAll();
        throw;
    }
    joinAll();
    progress.Finish();

    for (std::size_t i = 0; i < together.size(); ++i) {
        if (results[i].exception)
            std::rethrow_exception(results[i].exception);
    }
    for (std::size_t i = 0; i < together.size(); ++i) {
        AtomicFile& file = *together[i]->atomic;
        if (!results[i].failure.empty())
            throw file.WriteFailure(results[i].errorNumber, results[i].failure);
        file.Flush();
        together[i]->written = true;
        Record(*together[i], range);
    }
}

void SampledOutputs::Record(Claimed const& claimed, RadiusRange range)
{
    SampledFile const& file = claimed.file;
    SampleSurface const& surface = file.surface;
    bool const heights = file.samples == SampleKind::Height;
    WrittenFile record { file.kind, file.path, claimed.atomic->BytesWritten() };
    record.details = { { "format", heights ? HeightmapFormatName(file.format) : "png" } };
    if (!heights && !surface.face)
        record.details.push_back({ "view", "texture" });
    record.details.push_back({ "width", surface.Width() });
    record.details.push_back({ "height", surface.Height() });
    record.details.push_back({ "bits", heights ? HeightmapBits(file.format) : 8 });
    record.details.push_back({ "sampling", surface.sampling == Sampling::Pixel ? "pixel" : "grid" });
    if (surface.face)
        record.details.push_back({ "face", CubeFaceName(*surface.face) });
    else if (options.region) {
        record.details.push_back({ "map_width", surface.window.mapWidth });
        record.details.push_back({ "map_height", surface.window.mapHeight });
        record.details.push_back({ "left", surface.window.left });
        record.details.push_back({ "top", surface.window.top });
    }
    if (heights && HeightmapBits(file.format) == 16) {
        record.details.push_back({ "radius_at_0", range.min });
        record.details.push_back({ "radius_at_65535", range.max });
    } else if (heights) {
        record.details.push_back({ "samples", "radius, float32" });
    }
    written->push_back(std::move(record));
}
