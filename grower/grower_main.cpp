// morva<N>-grower: grows a planet without a window and writes what was asked.

#include "globe/globe.h"
#include "globe/random.h"
#include "globe/reaching_cuts.h"
#include "render/elevation_rule.h"
#include "render/float_conversion.h"
#include "grower/atomic_file.h"
#include "grower/drawing_check.h"
#include "grower/exit_status.h"
#include "grower/grower_options.h"
#include "grower/grid_dump.h"
#include "grower/grow.h"
#include "grower/heightmap_export.h"
#include "grower/image_export.h"
#include "grower/image_surface.h"
#include "grower/png_writer.h"
#include "grower/progress_line.h"
#include "grower/report_lines.h"
#include "grower/requested_outputs.h"
#include "grower/sampled_outputs.h"
#include "grower/terminal.h"
#include "grower/termination_cleanup.h"
#include "grower/texture_export.h"
#include "grower/window_view.h"
#include "grower/world_export.h"

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <exception>
#include <memory>
#include <new>
#include <string>
#include <vector>

namespace {

std::string ProgramName()
{
    return "morva" + std::to_string(GRID_N) + "-grower";
}

int Fail(int status, std::string const& message)
{
    std::fprintf(stderr, "%s: %s\n", ProgramName().c_str(), message.c_str());
    return status;
}

#define MORVA_STRINGIFY(x) #x
#define MORVA_PROGRAM_NAME(n) "morva" MORVA_STRINGIFY(n) "-grower"

// Allocates nothing: memory has run out.
int FailOnMemory(char const* what, char const* detail = "")
{
    std::fprintf(stderr, "%s: not enough memory %s%s\n", MORVA_PROGRAM_NAME(GRID_N), what, detail);
    return EXIT_NO_MEMORY;
}

// Standard output must take the whole line, or the run failed.
int FlushStdout()
{
    if (std::fflush(stdout) != 0 || std::ferror(stdout))
        return Fail(EXIT_SYSTEM_REFUSED, std::string("cannot write to standard output: ") + std::strerror(errno));
    return 0;
}

void SeedGenerator(GrowerOptions const& options)
{
    if (!options.seed1)
        return;
    if (!RandomGenerator::SeedsInRange(*options.seed1, *options.seed2)) {
        std::fprintf(stderr,
            "%s: warning: seeds %d,%d are outside 0..%d,0..%d; the generator uses %d,%d instead\n",
            ProgramName().c_str(), *options.seed1, *options.seed2, RandomGenerator::MAX_SEED1,
            RandomGenerator::MAX_SEED2, RandomGenerator::FALLBACK_SEED1, RandomGenerator::FALLBACK_SEED2);
    }
    g_random = RandomGenerator(*options.seed1, *options.seed2, false);
}

class Stopwatch {
public:
    long long ElapsedMilliseconds() const
    {
        auto const elapsed = std::chrono::steady_clock::now() - start;
        return std::chrono::duration_cast<std::chrono::milliseconds>(elapsed).count();
    }

private:
    std::chrono::steady_clock::time_point start = std::chrono::steady_clock::now();
};

int Grow(GrowerOptions const& options, int argc, char** argv)
{
    // Every refusal comes before the long work.
    int outputStatus = 0;
    std::string const outputError = CheckOutputs(RequestedOutputs(options), outputStatus);
    if (!outputError.empty())
        return Fail(outputStatus, outputError);

    std::unique_ptr<AtomicFile> dump;
    if (!options.dumpPath.empty()) {
        dump = std::make_unique<AtomicFile>(options.dumpPath);
        if (!dump->Open())
            return Fail(dump->Status(), dump->Error());
    }
    std::unique_ptr<AtomicFile> image;
    std::unique_ptr<ImageSurface> surface;
    bool const windowView = options.view == ImageView::Window;
    bool const textureView = options.view == ImageView::Texture;
    if (!options.imagePath.empty() && !textureView) {
        image = std::make_unique<AtomicFile>(options.imagePath);
        if (!image->Open())
            return Fail(image->Status(), image->Error());
    }
    bool const showProgress = !options.quiet && StderrIsTerminal();
    WorldExport world(options, ProgramName(), showProgress);
    if (std::string const failure = world.Open(); !failure.empty())
        return Fail(world.Status(), failure);
    SampledOutputs sampled(options, GRID_N, showProgress);
    if (std::string const failure = sampled.Open(); !failure.empty())
        return Fail(sampled.Status(), failure);

    unsigned const failedDrawingCalls = FailedDrawingCalls();
    if (image && !windowView) {
        surface = ImageSurface::Create(options.imageSize->width, options.imageSize->height);
        if (!surface) {
            return FailOnMemory("for the drawing surface");
        }
    }

    SeedGenerator(options);
    Stopwatch const growing;

    std::unique_ptr<Globe> globe(new (std::nothrow) Globe);
    if (!globe)
        return FailOnMemory("for the globe");

    GrowPlanet(*globe, options.passes, [&](std::int32_t done) {
        if (showProgress)
            std::fprintf(stderr, "\rgrowing: %d of %d passes", done, options.passes);
    });
    if (showProgress)
        std::fputc('\n', stderr);
    long long const growMs = growing.ElapsedMilliseconds();

    long long renderMs = 0;
    long long encodeMs = 0;
    if (image) {
        Stopwatch const rendering;
        WindowPicture window;
        ImageSize imageSize = *options.imageSize;
        if (windowView) {
            ImageSize const screen = options.screenSize.value_or(DEFAULT_SCREEN_SIZE);
            std::string const failure = PaintWindowView(*globe, options.imageSize->width, options.imageSize->height,
                screen.width, screen.height, options.passes, window);
            if (!failure.empty())
                return FailOnMemory("to draw the window: ", failure.c_str());
            imageSize = { window.width, window.height };
        } else {
            DrawImageView(*options.view, *globe, surface->DC(), surface->Width(), surface->Height());
        }
        // A picture with a failed drawing call in it is not the planet.
        if (FailedDrawingCalls() != failedDrawingCalls)
            return FailOnMemory("to draw the picture");
        renderMs = rendering.ElapsedMilliseconds();

        Stopwatch const encoding;
        bool unread = false;
        std::string const failure = WritePngRgb(image->Stream(), static_cast<std::uint32_t>(imageSize.width),
            static_cast<std::uint32_t>(imageSize.height), [&](std::uint32_t row, std::uint8_t* rgb) {
                if (windowView)
                    window.ReadRow(static_cast<int>(row), rgb);
                else if (!surface->ReadRow(static_cast<int>(row), rgb))
                    unread = true;
            });
        if (unread)
            return FailOnMemory("to read the picture");
        if (!failure.empty()) {
            if (std::ferror(image->Stream())) {
                image->FailWith(errno);
                return Fail(image->Status(), image->Error());
            }
            return Fail(EXIT_SYSTEM_REFUSED, "cannot write '" + options.imagePath + "': " + failure);
        }
        if (!image->Flush())
            return Fail(image->Status(), image->Error());
        encodeMs = encoding.ElapsedMilliseconds();

        WrittenFile file { "image", options.imagePath, StreamBytes(image->Stream()) };
        file.details = { { "format", "png" }, { "view", ImageViewName(*options.view) }, { "width", imageSize.width },
            { "height", imageSize.height }, { "bits", 8 } };
        world.NoteWritten(std::move(file));
    }

    GrownGrid const grid { globe->Points(), GRID_N, globe->GetMeanRadius(), globe->GetMaxRadius() };
    {
        Stopwatch const sampling;
        std::vector<Cut> cuts;
        if (sampled.GrowsPixels()) {
            // The cuts the grid was grown by, drawn again from the same seeds.
            RandomGenerator generator(g_random.Seed1(), g_random.Seed2(), false);
            cuts = DrawReachingCuts(generator, options.passes);
        }
        if (std::string const failure = sampled.Write(grid, cuts); !failure.empty())
            return Fail(sampled.Status(), failure);
        for (WrittenFile const& file : sampled.Written())
            world.NoteWritten(file);
        encodeMs += sampling.ElapsedMilliseconds();
    }
    if (std::string const failure = world.WriteMesh(grid); !failure.empty())
        return Fail(world.Status(), failure);

    if (dump) {
        if (!WriteGridDump(dump->Stream(), globe->Points(), GRID_POINT_COUNT)) {
            dump->FailWith(errno);
            return Fail(dump->Status(), dump->Error());
        }
        if (!dump->Flush())
            return Fail(dump->Status(), dump->Error());
        WrittenFile file { "dump", options.dumpPath, StreamBytes(dump->Stream()) };
        file.details = { { "format", "float32 x, y, z per point, little-endian, row by row" },
            { "points", GRID_POINT_COUNT } };
        world.NoteWritten(std::move(file));
    }

    if (world.WantsMetadata()) {
        RunDescription run { ProgramName(), GRID_N, g_random.Seed1(), g_random.Seed2(), options.passes,
            std::vector<std::string>(argv, argv + argc), globe->GetMeanRadius(), globe->GetMaxRadius(),
            GridRadiusRange(globe->Points(), GRID_POINT_COUNT).min,
            SeaLevel(RoundToSingle(globe->GetMeanRadius()), RoundToSingle(globe->GetMaxRadius())),
            MORVA_VERSION, {} };
        if (std::optional<RadiusRange> const range = sampled.SixteenBitRange())
            run.sixteenBitRange = std::pair { range->min, range->max };
        if (std::string const failure = world.WriteMetadata(run); !failure.empty())
            return Fail(world.Status(), failure);
    }

    // Every output is complete: only now does any of them take its name.
    if (image && !image->Commit())
        return Fail(image->Status(), image->Error());
    if (std::string const failure = sampled.Commit(); !failure.empty())
        return Fail(sampled.Status(), failure);
    if (dump && !dump->Commit())
        return Fail(dump->Status(), dump->Error());
    if (std::string const failure = world.Commit(); !failure.empty())
        return Fail(world.Status(), failure);

    if (options.timings)
        std::fputs(TimingsLine(growMs, renderMs, encodeMs).Text(), stderr);
    ReportLine const result
        = ResultLine(g_random.Seed1(), g_random.Seed2(), options.passes, globe->GetMeanRadius(), globe->GetMaxRadius());
    std::fputs(result.Text(), stdout);
    return FlushStdout();
}

}

int Main(int argc, char** argv)
{
    try {
        std::vector<std::string> args(argv + 1, argv + argc);
        ParsedGrowerOptions const parsed = ParseGrowerOptions(args);
        if (!parsed.error.empty())
            return Fail(EXIT_BAD_INPUT, parsed.error + " (try --help)");
        if (parsed.options.help) {
            std::fputs(GrowerUsage(ProgramName()).c_str(), stdout);
            return FlushStdout();
        }
        if (parsed.options.version) {
            std::printf("%s %s\n", ProgramName().c_str(), MORVA_VERSION);
            return FlushStdout();
        }
        if (std::string const refusal = CheckViewAvailable(parsed.options, WindowViewAvailable());
            !refusal.empty())
            return Fail(EXIT_BAD_INPUT, refusal);
        if (std::string const error = CheckMapWindows(parsed.options, GRID_N); !error.empty())
            return Fail(EXIT_BAD_INPUT, error + " (try --help)");
        return Grow(parsed.options, argc, argv);
    } catch (std::bad_alloc const&) {
        // The outputs were discarded on the way out here.
        return FailOnMemory("to go on");
    } catch (std::exception const& failure) {
        return Fail(EXIT_INTERNAL_ERROR, failure.what());
    }
}

#ifdef __ELF__
// Runs before any library's static initialisers, which may throw
// std::bad_alloc when memory is short from the start.
[[gnu::used, gnu::section(".preinit_array")]] void (*const g_beforeLibraries)(int, char**, char**)
    = [](int, char**, char**) { CatchFailuresBeforeMain(MORVA_PROGRAM_NAME(GRID_N)); };
#endif

int main(int argc, char** argv)
{
    InstallTerminationCleanup(MORVA_PROGRAM_NAME(GRID_N));
    int const status = Main(argc, argv);
    // The result is settled: end here, without the libraries' own exit
    // handlers, which may need memory that has run out.
    std::fflush(nullptr);
    RemoveAbandonedTemporaryFiles();
    std::_Exit(status);
}
