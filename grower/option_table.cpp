// The grower's options: one entry each, which gives both the parsing (by
// CLI11) and the usage text. The value checks are our own, so that every
// refusal is the one line the grower has always given.
#include "grower/grower_options.h"

#include "grower/failure.h"

#include <CLI/CLI.hpp>

#include <cstdint>
#include <map>

namespace {

struct OptionEntry {
    char const* names;
    char const* value; // what the usage calls the value; nullptr for a flag
    std::string help;  // lines after the first are indented to the first's column
    // Stores the value (the empty text for a flag); throws a Failure for a
    // value the option cannot take.
    void (*read)(std::string const& value, GrowerOptions& options);
};

[[noreturn]] void Refuse(std::string const& option, std::string const& needs, std::string const& value)
{
    throw CommandLineFault(option + " needs " + needs + ", got '" + value + "'");
}

std::string SizesUpTo(std::int32_t largest)
{
    return "WxH with W and H from 1 to " + std::to_string(largest);
}

void ReadSeeds(std::string const& value, GrowerOptions& options)
{
    auto const comma = value.find(',');
    if (comma == std::string::npos)
        Refuse("--seeds", "two integers separated by a comma", value);
    auto const first = ParseInteger(value.substr(0, comma));
    auto const second = ParseInteger(value.substr(comma + 1));
    auto const fits = [](std::optional<std::int64_t> n) { return n && *n >= INT32_MIN && *n <= INT32_MAX; };
    if (!fits(first) || !fits(second))
        Refuse("--seeds", "two 32-bit integers separated by a comma", value);
    options.seed1 = static_cast<std::int32_t>(*first);
    options.seed2 = static_cast<std::int32_t>(*second);
}

void ReadPasses(std::string const& value, GrowerOptions& options)
{
    auto const passes = ParseInteger(value);
    if (!passes || *passes < 1 || *passes > INT32_MAX)
        Refuse("--passes", "an integer from 1 to 2147483647", value);
    options.passes = static_cast<std::int32_t>(*passes);
}

// A file name: anything but the empty text.
template <std::string GrowerOptions::*path>
void ReadFileName(char const* option, std::string const& value, GrowerOptions& options)
{
    if (value.empty())
        throw CommandLineFault(std::string(option) + " needs a file name");
    options.*path = value;
}

// The size of a map that --region may take a window of: checked against
// the smaller limit once every option is known.
template <std::optional<ImageSize> GrowerOptions::*size>
void ReadMapSize(char const* option, std::string const& value, GrowerOptions& options)
{
    options.*size = ParseImageSize(value, MAX_MAP_SIDE);
    if (!(options.*size))
        Refuse(option, SizesUpTo(MAX_IMAGE_SIDE) + " (to " + std::to_string(MAX_MAP_SIDE) + " with --region)", value);
}

std::vector<OptionEntry> const& OptionTable()
{
    static std::vector<OptionEntry> const table = {
        { "--seeds", "S1,S2", "the generator's two seeds (default: from the tick count)", ReadSeeds },
        { "--passes", "P", "dissection passes, 1 to 2147483647 (default 3001)", ReadPasses },
        { "--dump", "FILE", "write the grid as N*N points of three little-endian float32",
            [](std::string const& v, GrowerOptions& o) { ReadFileName<&GrowerOptions::dumpPath>("--dump", v, o); } },
        { "--image", "FILE.png", "draw a view of the planet into an 8-bit RGB PNG",
            [](std::string const& v, GrowerOptions& o) { ReadFileName<&GrowerOptions::imagePath>("--image", v, o); } },
        { "--view", "V",
            "map: the map as rendered into a WxH screen buffer;\n"
            "lower, upper: the z < 0 or z > 0 hemisphere over WxH;\n"
            "window: the program's window with a WxH client area;\n"
            "texture: the elevation colours, pixel for pixel as the heightmap",
            [](std::string const& v, GrowerOptions& o) {
                o.view = ParseImageView(v);
                if (!o.view)
                    Refuse("--view", "one of " + ViewNameList(), v);
            } },
        { "--size", "WxH", "the image size, 1 to " + std::to_string(MAX_IMAGE_SIDE) + " pixels each way",
            [](std::string const& v, GrowerOptions& o) { ReadMapSize<&GrowerOptions::imageSize>("--size", v, o); } },
        { "--screen", "WxH", "the display the window's map buffer is made for\n(--view window; default 1920x1080)",
            [](std::string const& v, GrowerOptions& o) {
                o.screenSize = ParseImageSize(v);
                if (!o.screenSize)
                    Refuse("--screen", SizesUpTo(MAX_IMAGE_SIDE), v);
            } },
        { "--heightmap", "FILE",
            "an equirectangular heightmap: .png 16-bit greyscale, .r16 raw\n"
            "16-bit little-endian, .r32 raw float32 radii, .exr float radii",
            [](std::string const& v, GrowerOptions& o) {
                ReadFileName<&GrowerOptions::heightmapPath>("--heightmap", v, o);
            } },
        { "--heightmap-size", "WxH",
            "its size, 1 to " + std::to_string(MAX_IMAGE_SIDE)
                + " each way\n(default 2N x N for a grid of N x N points)",
            [](std::string const& v, GrowerOptions& o) {
                ReadMapSize<&GrowerOptions::heightmapSize>("--heightmap-size", v, o);
            } },
        { "--sampling", "S",
            "pixel: every pixel of the heightmap and texture grown as a point\n"
            "of its own (default); grid: the grid point under each pixel",
            [](std::string const& v, GrowerOptions& o) {
                if (v == "pixel")
                    o.sampling = Sampling::Pixel;
                else if (v == "grid")
                    o.sampling = Sampling::Grid;
                else
                    Refuse("--sampling", "pixel or grid", v);
            } },
        { "--region", "X0,Y0,WxH",
            "write only this window of the heightmap and texture, whose\nsizes are then the whole map's (up to "
                + std::to_string(MAX_MAP_SIDE) + " each way)",
            [](std::string const& v, GrowerOptions& o) {
                o.region = ParseRegion(v);
                if (!o.region)
                    Refuse("--region", "X0,Y0," + SizesUpTo(MAX_IMAGE_SIDE), v);
            } },
        { "--cube-heightmap", "PATTERN",
            "six square heightmaps, a cube map's faces; {face} in the name\n"
            "becomes px, nx, py, ny, pz, nz (formats as --heightmap)",
            [](std::string const& v, GrowerOptions& o) {
                ReadFileName<&GrowerOptions::cubeHeightmapPattern>("--cube-heightmap", v, o);
            } },
        { "--cube-texture", "PATTERN", "the six faces' elevation colours, 8-bit RGB PNG",
            [](std::string const& v, GrowerOptions& o) {
                ReadFileName<&GrowerOptions::cubeTexturePattern>("--cube-texture", v, o);
            } },
        { "--face-size", "S",
            "the faces' side, 1 to " + std::to_string(MAX_FACE_SIZE) + " (default "
                + std::to_string(DEFAULT_FACE_SIZE) + ")",
            [](std::string const& v, GrowerOptions& o) {
                o.faceSize = ParseWhole(v, 1, MAX_FACE_SIZE);
                if (!o.faceSize)
                    Refuse("--face-size", "a whole number from 1 to " + std::to_string(MAX_FACE_SIZE), v);
            } },
        { "--height-range", "RMIN,RMAX",
            "the radii 16-bit heights map to 0 and 65535, radii outside\n"
            "clamped (default: the lowest and highest height written)",
            [](std::string const& v, GrowerOptions& o) {
                o.heightRange = ParseHeightRange(v);
                if (!o.heightRange)
                    Refuse("--height-range", "RMIN,RMAX, two decimal numbers with RMIN below RMAX", v);
            } },
        { "--mesh", "FILE.glb", "the globe as a glTF 2.0 binary, textured like --view texture",
            [](std::string const& v, GrowerOptions& o) { ReadFileName<&GrowerOptions::meshPath>("--mesh", v, o); } },
        { "--relief", "K", "heights above and below the mean radius times K, 0 to 1000\n(default 1)",
            [](std::string const& v, GrowerOptions& o) {
                o.relief = ParseRelief(v);
                if (!o.relief)
                    Refuse("--relief", "a number from 0 to 1000", v);
            } },
        { "--metadata", "FILE.json", "seeds, passes, command line, radii and every file written",
            [](std::string const& v, GrowerOptions& o) {
                ReadFileName<&GrowerOptions::metadataPath>("--metadata", v, o);
            } },
        { "--timings", nullptr, "print grow_ms=G render_ms=R encode_ms=E on stderr",
            [](std::string const&, GrowerOptions& o) { o.timings = true; } },
        { "--quiet", nullptr, "no progress on stderr", [](std::string const&, GrowerOptions& o) { o.quiet = true; } },
        { "--version", nullptr, "print the program's name and release",
            [](std::string const&, GrowerOptions& o) { o.version = true; } },
        { "-h,--help", nullptr, "print this help", [](std::string const&, GrowerOptions& o) { o.help = true; } },
    };
    return table;
}

// The table as CLI11 options, each pointing back to its entry. CLI11 only
// sorts the words into options and values; the entries read the values.
struct ParserOfTable {
    CLI::App app;
    std::map<CLI::Option const*, OptionEntry const*> entries;

    explicit ParserOfTable(std::string const& program)
        : app("Grows a planet without a window and writes what was asked.", program)
    {
        app.set_help_flag();
        app.allow_extras();
        app.option_defaults()->multi_option_policy(CLI::MultiOptionPolicy::TakeAll);
        app.get_formatter()->column_width(28);
        for (OptionEntry const& entry : OptionTable()) {
            CLI::Option* const option = entry.value ? app.add_option(entry.names)->type_name(entry.value)
                                                    : app.add_flag(entry.names);
            option->description(entry.help);
            entries[option] = &entry;
        }
    }
};

}

GrowerOptions ParseGrowerOptions(std::vector<std::string> const& args)
{
    ParserOfTable parser("morva-grower");
    try {
        // CLI11 takes the arguments last first.
        std::vector<std::string> reversed(args.rbegin(), args.rend());
        parser.app.parse(reversed);
    } catch (CLI::ArgumentMismatch const&) {
        // Every option takes one value, whatever follows: only the last
        // argument can be short of one.
        throw CommandLineFault(args.back() + " needs a value");
    } catch (CLI::ParseError const& error) {
        throw CommandLineFault(error.what());
    }
    if (std::vector<std::string> const unknown = parser.app.remaining(); !unknown.empty())
        throw CommandLineFault("unknown option '" + unknown.front() + "'");

    GrowerOptions options;
    std::map<CLI::Option const*, std::size_t> taken;
    for (CLI::Option const* option : parser.app.parse_order()) {
        OptionEntry const& entry = *parser.entries.at(option);
        std::string const& value = option->results().at(taken[option]++);
        if (!entry.value && value != "true")
            throw CommandLineFault(option->get_name() + " takes no value");
        entry.read(entry.value ? value : std::string(), options);
    }
    if (!options.help && !options.version)
        CheckOptionsTogether(options);
    return options;
}

std::string GrowerUsage(std::string const& program)
{
    return ParserOfTable(program).app.help();
}
