#include "grower/claimed_outputs.h"

#include "globe/random.h"
#include "globe/reaching_cuts.h"
#include "grower/exit_status.h"
#include "grower/sampled_outputs.h"
#include "grower/write_run.h"


ClaimedOutputs::ClaimedOutputs(GrowerOptions const& options, std::int32_t gridSize)
    : gridSize(gridSize)
{
    struct Named {
        OutputEntry const* entry;
        std::size_t index;
        std::string name;
        OutputTarget target;
    };
    std::vector<Named> named;
    for (OutputEntry const& entry : OutputTable()) {
        std::vector<std::string> const names = entry.names(options);
        for (std::size_t i = 0; i < names.size(); ++i)
            named.push_back({ &entry, i, names[i], ResolveOutputPath(names[i]) });
    }
    for (std::size_t i = 0; i < named.size(); ++i) {
        for (std::size_t j = 0; j < i; ++j) {
            if (SameFile(named[j].target, named[i].target))
                throw Failure(EXIT_BAD_INPUT, std::string(named[j].entry->option) + " and " + named[i].entry->option
                        + " both name the file '" + named[i].name + "'");
        }
    }
    for (Named& output : named) {
        outputs.push_back(std::unique_ptr<ClaimedOutput>(new ClaimedOutput {
            output.entry, output.index, AtomicFile(std::move(output.name), std::move(output.target)) }));
        outputs.back()->file.Open();
    }
}

void ClaimedOutputs::Write(WriteRun& run)
{
    bool samplesWritten = false;
    for (auto const& output : outputs) {
        if (std::holds_alternative<SampleWriter>(output->entry->writer)) {
            // Every sampled file at once: the files of one surface are
            // written together, from one growth.
            if (!samplesWritten)
                WriteSamples(run);
            samplesWritten = true;
            continue;
        }
        std::vector<FileDetail> details = std::get<FileWriter>(output->entry->writer)(run, output->file);
        output->file.Flush();
        run.written.push_back(
            { output->entry->kind, output->file.Name(), output->file.BytesWritten(), std::move(details) });
    }
}

void ClaimedOutputs::WriteSamples(WriteRun& run)
{
    std::vector<SampledTarget> targets;
    for (auto const& output : outputs) {
        auto const* writer = std::get_if<SampleWriter>(&output->entry->writer);
        if (!writer)
            continue;
        HeightmapFormat const format = writer->samples == SampleKind::Height
            ? *HeightmapFormatOf(output->file.Name()) : HeightmapFormat::Png;
        targets.push_back({ SampledFile { output->file.Name(), output->entry->kind, writer->samples, format,
                                writer->surface(run.options, gridSize, output->index) },
            &output->file });
    }
    SampledOutputs sampled(run.options, run.showProgress, std::move(targets));
    std::vector<Cut> cuts;
    if (sampled.GrowsPixels()) {
        // The cuts the grid was grown by, drawn again from the same seeds.
        RandomGenerator generator(run.description.seed1, run.description.seed2, false);
        cuts = DrawReachingCuts(generator, run.description.passes);
    }
    sampled.Write(run.grid, cuts, run.written);
    if (std::optional<RadiusRange> const range = sampled.SixteenBitRange())
        run.description.sixteenBitRange = std::pair { range->min, range->max };
}

void ClaimedOutputs::Commit()
{
    for (auto const& output : outputs)
        output->file.Commit();
}
