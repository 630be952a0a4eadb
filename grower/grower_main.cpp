// morva<N>-grower: grows a planet without a window and writes what was asked.

#include "globe/globe.h"
#include "globe/random.h"
#include "render/elevation_rule.h"
#include "render/float_conversion.h"
#include "grower/atomic_file.h"
#include "grower/claimed_outputs.h"
#include "grower/drawing_check.h"
#include "grower/exit_status.h"
#include "grower/failure.h"
#include "grower/heightmap_export.h"
#include "grower/grow.h"
#include "grower/image_export.h"
#include "grower/image_surface.h"
#include "grower/png_writer.h"
#include "grower/progress_line.h"
#include "grower/report_lines.h"
#include "grower/terminal.h"
#include "grower/termination_cleanup.h"
#include "grower/window_view.h"
#include "grower/write_run.h"

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

#define MORVA_STRINGIFY(x) #x
#define MORVA_PROGRAM_NAME(n) "morva" MORVA_STRINGIFY(n) "-grower"

std::string ProgramName()
{
    return MORVA_PROGRAM_NAME(GRID_N);
}

// Allocates nothing: memory has run out.
int FailOnMemory(char const* what, char const* detail = "")
{
    std::fprintf(stderr, "%s: not enough memory %s%s\n", MORVA_PROGRAM_NAME(GRID_N), what, detail);
    return EXIT_NO_MEMORY;
}

// Standard output must take the whole line, or the run failed.
void FlushStdout()
{
    if (std::fflush(stdout) != 0 || std::ferror(stdout))
        throw Failure(EXIT_SYSTEM_REFUSED, std::string("cannot write to standard output: ") + std::strerror(errno));
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

// Draws the picture with the renderer of this grid size and writes it as a
// PNG; what the metadata adds about it.
std::vector<FileDetail> WritePictureFile(GrowerOptions const& options, std::unique_ptr<Globe> const& globe,
    ImageSurface* surface, AtomicFile& image, long long& renderMs)
{
    unsigned const failedDrawingCalls = FailedDrawingCalls();
    bool const windowView = options.view == ImageView::Window;
    Stopwatch const rendering;
    WindowPicture window;
    ImageSize imageSize = *options.imageSize;
    if (windowView) {
        ImageSize const screen = options.screenSize.value_or(DEFAULT_SCREEN_SIZE);
        std::string const failure = PaintWindowView(*globe, options.imageSize->width, options.imageSize->height,
            screen.width, screen.height, options.passes, window);
        if (!failure.empty())
            throw Failure(EXIT_NO_MEMORY, "not enough memory to draw the window: " + failure);
        imageSize = { window.width, window.height };
    } else {
        DrawImageView(*options.view, *globe, surface->DC(), surface->Width(), surface->Height());
    }
    // A picture with a failed drawing call in it is not the planet.
    if (FailedDrawingCalls() != failedDrawingCalls)
        throw Failure(EXIT_NO_MEMORY, "not enough memory to draw the picture");
    renderMs = rendering.ElapsedMilliseconds();

    bool unread = false;
    std::string const failure = WritePngRgb(image.Stream(), static_cast<std::uint32_t>(imageSize.width),
        static_cast<std::uint32_t>(imageSize.height), [&](std::uint32_t row, std::uint8_t* rgb) {
            if (windowView)
                window.ReadRow(static_cast<int>(row), rgb);
            else if (!surface->ReadRow(static_cast<int>(row), rgb))
                unread = true;
        });
    if (unread)
        throw Failure(EXIT_NO_MEMORY, "not enough memory to read the picture");
    if (!failure.empty())
        throw image.WriteFailure(errno, failure);

    return { { "format", "png" }, { "view", ImageViewName(*options.view) }, { "width", imageSize.width },
        { "height", imageSize.height }, { "bits", 8 } };
}

void Grow(GrowerOptions const& options, int argc, char** argv)
{
    // Every refusal comes before the long work.
    ClaimedOutputs outputs(options, GRID_N);
    bool const showProgress = !options.quiet && StderrIsTerminal();
    std::unique_ptr<ImageSurface> surface;
    if (!options.imagePath.empty() && options.view != ImageView::Window && options.view != ImageView::Texture) {
        surface = ImageSurface::Create(options.imageSize->width, options.imageSize->height);
        if (!surface)
            throw Failure(EXIT_NO_MEMORY, "not enough memory for the drawing surface");
    }

    SeedGenerator(options);
    Stopwatch const growing;

    std::unique_ptr<Globe> globe(new (std::nothrow) Globe);
    if (!globe)
        throw Failure(EXIT_NO_MEMORY, "not enough memory for the globe");

    GrowPlanet(*globe, options.passes, [&](std::int32_t done) {
        if (showProgress)
            std::fprintf(stderr, "\rgrowing: %d of %d passes", done, options.passes);
    });
    if (showProgress)
        std::fputc('\n', stderr);
    long long const growMs = growing.ElapsedMilliseconds();

    Stopwatch const writing;
    RunDescription run { ProgramName(), GRID_N, g_random.Seed1(), g_random.Seed2(), options.passes,
        std::vector<std::string>(argv, argv + argc), globe->GetMeanRadius(), globe->GetMaxRadius(),
        GridRadiusRange(globe->Points(), GRID_POINT_COUNT).min,
        SeaLevel(RoundToSingle(globe->GetMeanRadius()), RoundToSingle(globe->GetMaxRadius())), MORVA_VERSION, {} };
    WriteRun written { options, showProgress,
        GrownGrid { globe->Points(), GRID_N, globe->GetMeanRadius(), globe->GetMaxRadius() }, std::move(run), {},
        {}, 0 };
    written.writePicture = [&](AtomicFile& image) {
        return WritePictureFile(options, globe, surface.get(), image, written.renderMs);
    };
    outputs.Write(written);
    long long const encodeMs = writing.ElapsedMilliseconds() - written.renderMs;

    // Every output is complete: only now does any of them take its name.
    outputs.Commit();

    if (options.timings)
        std::fputs(TimingsLine(growMs, written.renderMs, encodeMs).Text(), stderr);
    ReportLine const result
        = ResultLine(g_random.Seed1(), g_random.Seed2(), options.passes, globe->GetMeanRadius(), globe->GetMaxRadius());
    std::fputs(result.Text(), stdout);
    FlushStdout();
}

}

int Main(int argc, char** argv)
{
    try {
        GrowerOptions const options = ParseGrowerOptions(std::vector<std::string>(argv + 1, argv + argc));
        if (options.help) {
            std::fputs(GrowerUsage(ProgramName()).c_str(), stdout);
            FlushStdout();
            return 0;
        }
        if (options.version) {
            std::printf("%s %s\n", ProgramName().c_str(), MORVA_VERSION);
            FlushStdout();
            return 0;
        }
        CheckViewAvailable(options, WindowViewAvailable());
        CheckMapWindows(options, GRID_N);
        Grow(options, argc, argv);
        return 0;
    } catch (Failure const& failure) {
        // The outputs were discarded on the way out here.
        std::fprintf(stderr, "%s: %s\n", MORVA_PROGRAM_NAME(GRID_N), failure.Message().c_str());
        return failure.Status();
    } catch (std::bad_alloc const&) {
        return FailOnMemory("to go on");
    } catch (std::exception const& failure) {
        std::fprintf(stderr, "%s: %s\n", MORVA_PROGRAM_NAME(GRID_N), failure.what());
        return EXIT_INTERNAL_ERROR;
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
