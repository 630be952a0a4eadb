#include "grower/grower_options.h"

#include "grower/heightmap_export.h"

#include <charconv>
#include <cstdlib>

std::optional<std::int64_t> ParseInteger(std::string const& text)
{
    if (text.empty())
        return std::nullopt;
    char const* first = text.data();
    char const* last = text.data() + text.size();
    if (*first == '+')
        ++first;
    if (first == last || (first != text.data() && *first == '-'))
        return std::nullopt;
    std::int64_t value = 0;
    auto const [end, error] = std::from_chars(first, last, value);
    if (error != std::errc() || end != last)
        return std::nullopt;
    return value;
}

namespace {

struct NamedView {
    char const* name;
    ImageView view;
};

// Every view --view knows, in the order the usage lists them.
constexpr NamedView VIEW_NAMES[] = {
    { "map", ImageView::Map },
    { "lower", ImageView::Lower },
    { "upper", ImageView::Upper },
    { "window", ImageView::Window },
    { "texture", ImageView::Texture },
};

std::string ViewNameList()
{
    std::string list;
    for (auto const& entry : VIEW_NAMES) {
        if (!list.empty())
            list += '|';
        list += entry.name;
    }
    return list;
}

std::optional<std::int32_t> ParseImageSide(std::string const& text)
{
    if (text.empty() || text.size() > 5)
        return std::nullopt;
    std::int32_t value = 0;
    for (char const c : text) {
        if (c < '0' || c > '9')
            return std::nullopt;
        value = value * 10 + (c - '0');
    }
    if (value < 1 || value > MAX_IMAGE_SIDE)
        return std::nullopt;
    return value;
}

bool InInt32(std::int64_t value)
{
    return value >= INT32_MIN && value <= INT32_MAX;
}

std::string ParseSeeds(std::string const& text, GrowerOptions& options)
{
    auto const comma = text.find(',');
    if (comma == std::string::npos)
        return "--seeds needs two integers separated by a comma, got '" + text + "'";
    auto const first = ParseInteger(text.substr(0, comma));
    auto const second = ParseInteger(text.substr(comma + 1));
    if (!first || !second || !InInt32(*first) || !InInt32(*second))
        return "--seeds needs two 32-bit integers separated by a comma, got '" + text + "'";
    options.seed1 = static_cast<std::int32_t>(*first);
    options.seed2 = static_cast<std::int32_t>(*second);
    return {};
}

std::string ParsePasses(std::string const& text, GrowerOptions& options)
{
    auto const value = ParseInteger(text);
    if (!value || *value < 1 || *value > INT32_MAX)
        return "--passes needs an integer from 1 to 2147483647, got '" + text + "'";
    options.passes = static_cast<std::int32_t>(*value);
    return {};
}

std::string ParseView(std::string const& text, GrowerOptions& options)
{
    options.view = ParseImageView(text);
    if (!options.view)
        return "--view needs one of " + ViewNameList() + ", got '" + text + "'";
    return {};
}

std::string ParseSize(std::string const& text, GrowerOptions& options)
{
    options.imageSize = ParseImageSize(text);
    if (!options.imageSize)
        return "--size needs WxH with W and H from 1 to " + std::to_string(MAX_IMAGE_SIDE) + ", got '" + text + "'";
    return {};
}

std::string ParseScreen(std::string const& text, GrowerOptions& options)
{
    options.screenSize = ParseImageSize(text);
    if (!options.screenSize)
        return "--screen needs WxH with W and H from 1 to " + std::to_string(MAX_IMAGE_SIDE) + ", got '" + text + "'";
    return {};
}

// The image options only make sense together.
std::string CheckImageOptions(GrowerOptions const& options)
{
    bool const image = !options.imagePath.empty();
    if (!image && options.view)
        return "--view needs --image";
    if (!image && options.imageSize)
        return "--size needs --image";
    if (image && !options.view)
        return "--image needs --view " + ViewNameList();
    if (image && !options.imageSize)
        return "--image needs --size WxH";
    if (options.screenSize && options.view != ImageView::Window)
        return "--screen needs --view window";
    return {};
}

bool HasExtension(std::string const& path, std::string const& extension)
{
    if (path.size() < extension.size())
        return false;
    for (std::size_t i = 0; i < extension.size(); ++i) {
        char c = path[path.size() - extension.size() + i];
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
        if (c != extension[i])
            return false;
    }
    return true;
}

// The heightmap, mesh and metadata options.
std::string CheckWorldOptions(GrowerOptions const& options)
{
    if (options.heightmapSize && options.heightmapPath.empty())
        return "--heightmap-size needs --heightmap";
    if (!options.heightmapPath.empty() && !HeightmapFormatOf(options.heightmapPath))
        return "--heightmap needs a file ending in .png or .r16, got '" + options.heightmapPath + "'";
    if (options.relief && options.meshPath.empty())
        return "--relief needs --mesh";
    if (!options.meshPath.empty() && !HasExtension(options.meshPath, ".glb"))
        return "--mesh needs a file ending in .glb, got '" + options.meshPath + "'";
    if (!options.metadataPath.empty() && !HasExtension(options.metadataPath, ".json"))
        return "--metadata needs a file ending in .json, got '" + options.metadataPath + "'";
    return {};
}

std::string ParseFileName(std::string const& option, std::string const& text, std::string& path)
{
    path = text;
    if (text.empty())
        return option + " needs a file name";
    return {};
}

}

char const* ImageViewName(ImageView view)
{
    for (auto const& entry : VIEW_NAMES) {
        if (entry.view == view)
            return entry.name;
    }
    return "?";
}

std::optional<ImageView> ParseImageView(std::string const& name)
{
    for (auto const& entry : VIEW_NAMES) {
        if (name == entry.name)
            return entry.view;
    }
    return std::nullopt;
}

std::optional<double> ParseRelief(std::string const& text)
{
    if (text.empty() || text.size() > 32)
        return std::nullopt;
    int points = 0;
    int digits = 0;
    for (char const c : text) {
        if (c == '.')
            ++points;
        else if (c >= '0' && c <= '9')
            ++digits;
        else
            return std::nullopt;
    }
    if (points > 1 || digits == 0)
        return std::nullopt;
    double const value = std::strtod(text.c_str(), nullptr);
    if (!(value >= 0.0 && value <= MAX_RELIEF))
        return std::nullopt;
    return value;
}

std::optional<ImageSize> ParseImageSize(std::string const& text)
{
    auto const x = text.find('x');
    if (x == std::string::npos)
        return std::nullopt;
    auto const width = ParseImageSide(text.substr(0, x));
    auto const height = ParseImageSide(text.substr(x + 1));
    if (!width || !height)
        return std::nullopt;
    return ImageSize { *width, *height };
}

ParsedGrowerOptions ParseGrowerOptions(std::vector<std::string> const& args)
{
    ParsedGrowerOptions parsed;
    GrowerOptions& options = parsed.options;

    for (std::size_t i = 0; i < args.size(); ++i) {
        std::string const& arg = args[i];
        if (arg == "--quiet") {
            options.quiet = true;
            continue;
        }
        if (arg == "--help" || arg == "-h") {
            options.help = true;
            continue;
        }
        if (arg == "--version") {
            options.version = true;
            continue;
        }
        if (arg == "--timings") {
            options.timings = true;
            continue;
        }

        bool const takesValue = arg == "--seeds" || arg == "--passes" || arg == "--dump" || arg == "--image"
            || arg == "--view" || arg == "--size" || arg == "--screen" || arg == "--heightmap"
            || arg == "--heightmap-size" || arg == "--mesh" || arg == "--relief" || arg == "--metadata";
        if (!takesValue) {
            parsed.error = "unknown option '" + arg + "'";
            return parsed;
        }
        if (i + 1 >= args.size()) {
            parsed.error = arg + " needs a value";
            return parsed;
        }
        std::string const& value = args[++i];

        if (arg == "--seeds")
            parsed.error = ParseSeeds(value, options);
        else if (arg == "--passes")
            parsed.error = ParsePasses(value, options);
        else if (arg == "--dump") {
            if (value.empty())
                parsed.error = "--dump needs a file name";
            options.dumpPath = value;
        } else if (arg == "--image") {
            if (value.empty())
                parsed.error = "--image needs a file name";
            options.imagePath = value;
        } else if (arg == "--view")
            parsed.error = ParseView(value, options);
        else if (arg == "--size")
            parsed.error = ParseSize(value, options);
        else if (arg == "--screen")
            parsed.error = ParseScreen(value, options);
        else if (arg == "--heightmap")
            parsed.error = ParseFileName(arg, value, options.heightmapPath);
        else if (arg == "--heightmap-size") {
            options.heightmapSize = ParseImageSize(value);
            if (!options.heightmapSize)
                parsed.error = "--heightmap-size needs WxH with W and H from 1 to " + std::to_string(MAX_IMAGE_SIDE)
                    + ", got '" + value + "'";
        } else if (arg == "--mesh")
            parsed.error = ParseFileName(arg, value, options.meshPath);
        else if (arg == "--relief") {
            options.relief = ParseRelief(value);
            if (!options.relief)
                parsed.error = "--relief needs a number from 0 to 1000, got '" + value + "'";
        } else if (arg == "--metadata")
            parsed.error = ParseFileName(arg, value, options.metadataPath);
        if (!parsed.error.empty())
            return parsed;
    }
    bool const onlyAsking = options.help || options.version;
    if (!onlyAsking)
        parsed.error = CheckImageOptions(options);
    if (!onlyAsking && parsed.error.empty())
        parsed.error = CheckWorldOptions(options);
    return parsed;
}

std::string CheckViewAvailable(GrowerOptions const& options, bool windowViewAvailable)
{
    if (options.view == ImageView::Window && !windowViewAvailable)
        return "--view window: this build cannot paint the program's window (only the Linux build can)";
    return {};
}

std::string GrowerUsage(std::string const& program)
{
    return "usage: " + program + " [--seeds S1,S2] [--passes P] [--dump FILE]\n"
        "       [--image FILE.png --view " + ViewNameList() + " --size WxH [--screen WxH]]\n"
        "       [--heightmap FILE.png|FILE.r16 [--heightmap-size WxH]]\n"
        "       [--mesh FILE.glb [--relief K]] [--metadata FILE.json]\n"
        "       [--timings] [--quiet] [--version]\n"
        "  --seeds S1,S2  the generator's two seeds (default: from the tick count)\n"
        "  --passes P     dissection passes, 1 to 2147483647 (default 3001)\n"
        "  --dump FILE    write the grid as N*N points of three little-endian float32\n"
        "  --image FILE   draw a view of the planet into an 8-bit RGB PNG\n"
        "  --view V       map: the map as rendered into a WxH screen buffer;\n"
        "                 lower, upper: the z < 0 or z > 0 hemisphere over WxH;\n"
        "                 window: the program's window with a WxH client area;\n"
        "                 texture: the elevation colours, pixel for pixel as the heightmap\n"
        "  --size WxH     the image size, 1 to " + std::to_string(MAX_IMAGE_SIDE) + " pixels each way\n"
        "  --screen WxH   the display the window's map buffer is made for\n"
        "                 (--view window; default 1920x1080)\n"
        "  --heightmap FILE  a 16-bit heightmap: .png greyscale or .r16 raw little-endian;\n"
        "                 0 is the lowest point of the grid, 65535 the highest\n"
        "  --heightmap-size WxH  its size, 1 to " + std::to_string(MAX_IMAGE_SIDE) + " each way\n"
        "                 (default 2N x N for a grid of N x N points)\n"
        "  --mesh FILE.glb  the globe as a glTF 2.0 binary, textured like --view texture\n"
        "  --relief K     heights above and below the mean radius times K, 0 to 1000 (default 1)\n"
        "  --metadata FILE.json  seeds, passes, command line, radii and every file written\n"
        "  --timings      print grow_ms=G render_ms=R encode_ms=E on stderr\n"
        "  --quiet        no progress on stderr\n"
        "  --version      print the program's name and release\n";
}
