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

// Plain decimal digits, from `lowest` to `largest`, and no more digits than
// `largest` has.
std::optional<std::int32_t> ParseWhole(std::string const& text, std::int32_t lowest, std::int32_t largest)
{
    if (text.empty() || text.size() > std::to_string(largest).size())
        return std::nullopt;
    std::int32_t value = 0;
    for (char const c : text) {
        if (c < '0' || c > '9')
            return std::nullopt;
        value = value * 10 + (c - '0');
    }
    if (value < lowest || value > largest)
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

std::string MapSizeError(std::string const& option, std::string const& text)
{
    return option + " needs WxH with W and H from 1 to " + std::to_string(MAX_IMAGE_SIDE) + " (to "
        + std::to_string(MAX_MAP_SIDE) + " with --region), got '" + text + "'";
}

// The size of a map that --region may take a window of: checked against
// the smaller limit once every option is known.
std::string ParseMapSize(std::string const& option, std::string const& text, std::optional<ImageSize>& size)
{
    size = ParseImageSize(text, MAX_MAP_SIDE);
    if (!size)
        return MapSizeError(option, text);
    return {};
}

bool FitsAnImage(std::optional<ImageSize> const& size)
{
    return !size || (size->width <= MAX_IMAGE_SIDE && size->height <= MAX_IMAGE_SIDE);
}

std::string SizeText(ImageSize size)
{
    return std::to_string(size.width) + "x" + std::to_string(size.height);
}

std::string ParseSampling(std::string const& text, GrowerOptions& options)
{
    if (text == "pixel")
        options.sampling = Sampling::Pixel;
    else if (text == "grid")
        options.sampling = Sampling::Grid;
    else
        return "--sampling needs pixel or grid, got '" + text + "'";
    return {};
}

std::string ParseFaceSize(std::string const& text, GrowerOptions& options)
{
    options.faceSize = ParseWhole(text, 1, MAX_FACE_SIZE);
    if (!options.faceSize)
        return "--face-size needs a whole number from 1 to " + std::to_string(MAX_FACE_SIZE) + ", got '" + text + "'";
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
    bool const window = options.region && options.view == ImageView::Texture;
    if (!window && !FitsAnImage(options.imageSize))
        return "--size needs WxH with W and H from 1 to " + std::to_string(MAX_IMAGE_SIDE) + ", got '"
            + SizeText(*options.imageSize) + "'";
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
        return "--heightmap needs a file ending in " + HeightmapExtensions() + ", got '" + options.heightmapPath + "'";
    if (!options.region && !FitsAnImage(options.heightmapSize))
        return "--heightmap-size needs WxH with W and H from 1 to " + std::to_string(MAX_IMAGE_SIDE) + ", got '"
            + SizeText(*options.heightmapSize) + "'";
    bool const equirectangular = !options.heightmapPath.empty() || options.view == ImageView::Texture;
    if (options.sampling && !equirectangular)
        return "--sampling needs --heightmap or --view texture";
    if (options.region && !equirectangular)
        return "--region needs --heightmap or --view texture";
    if (!options.cubeHeightmapPattern.empty()) {
        if (options.cubeHeightmapPattern.find(FACE_PLACEHOLDER) == std::string::npos)
            return std::string("--cube-heightmap needs a file name holding ") + FACE_PLACEHOLDER + ", got '"
                + options.cubeHeightmapPattern + "'";
        if (!HeightmapFormatOf(options.cubeHeightmapPattern))
            return "--cube-heightmap needs a file ending in " + HeightmapExtensions() + ", got '"
                + options.cubeHeightmapPattern + "'";
    }
    if (!options.cubeTexturePattern.empty()) {
        if (options.cubeTexturePattern.find(FACE_PLACEHOLDER) == std::string::npos)
            return std::string("--cube-texture needs a file name holding ") + FACE_PLACEHOLDER + ", got '"
                + options.cubeTexturePattern + "'";
        if (!HasExtension(options.cubeTexturePattern, ".png"))
            return "--cube-texture needs a file ending in .png, got '" + options.cubeTexturePattern + "'";
    }
    if (options.faceSize && options.cubeHeightmapPattern.empty() && options.cubeTexturePattern.empty())
        return "--face-size needs --cube-heightmap or --cube-texture";
    if (options.heightRange && options.heightmapPath.empty() && options.cubeHeightmapPattern.empty())
        return "--height-range needs --heightmap or --cube-heightmap";
    for (std::string const* path : { &options.heightmapPath, &options.cubeHeightmapPattern }) {
        if (!path->empty() && !HeightmapFormatWritable(*HeightmapFormatOf(*path)))
            return "this build cannot write " + std::string(HeightmapFormatName(*HeightmapFormatOf(*path)))
                + " files, got '" + *path + "'";
    }
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

std::optional<ImageSize> ParseImageSize(std::string const& text, std::int32_t largest)
{
    auto const x = text.find('x');
    if (x == std::string::npos)
        return std::nullopt;
    auto const width = ParseWhole(text.substr(0, x), 1, largest);
    auto const height = ParseWhole(text.substr(x + 1), 1, largest);
    if (!width || !height)
        return std::nullopt;
    return ImageSize { *width, *height };
}

std::optional<PixelRegion> ParseRegion(std::string const& text)
{
    auto const first = text.find(',');
    auto const second = first == std::string::npos ? first : text.find(',', first + 1);
    if (second == std::string::npos)
        return std::nullopt;
    auto const left = ParseWhole(text.substr(0, first), 0, MAX_MAP_SIDE - 1);
    auto const top = ParseWhole(text.substr(first + 1, second - first - 1), 0, MAX_MAP_SIDE - 1);
    auto const size = ParseImageSize(text.substr(second + 1));
    if (!left || !top || !size)
        return std::nullopt;
    return PixelRegion { *left, *top, size->width, size->height };
}

std::optional<HeightRange> ParseHeightRange(std::string const& text)
{
    auto const comma = text.find(',');
    if (comma == std::string::npos)
        return std::nullopt;
    auto const number = [](std::string const& part) -> std::optional<double> {
        // Plain decimals: an optional sign, digits with at most one point.
        if (part.empty() || part.size() > 32)
            return std::nullopt;
        std::size_t digits = 0;
        std::size_t points = 0;
        for (std::size_t i = 0; i < part.size(); ++i) {
            char const c = part[i];
            if (c >= '0' && c <= '9')
                ++digits;
            else if (c == '.')
                ++points;
            else if (!(i == 0 && (c == '-' || c == '+')))
                return std::nullopt;
        }
        if (digits == 0 || points > 1)
            return std::nullopt;
        return std::strtod(part.c_str(), nullptr);
    };
    auto const low = number(text.substr(0, comma));
    auto const high = number(text.substr(comma + 1));
    if (!low || !high || !(*low < *high))
        return std::nullopt;
    return HeightRange { *low, *high };
}

ImageSize HeightmapMapSize(GrowerOptions const& options, std::int32_t gridSize)
{
    return options.heightmapSize.value_or(ImageSize { 2 * gridSize, gridSize });
}

std::string CheckMapWindows(GrowerOptions const& options, std::int32_t gridSize)
{
    if (!options.region)
        return {};
    PixelRegion const& region = *options.region;
    auto const outside = [&](ImageSize map) {
        return static_cast<std::int64_t>(region.left) + region.width > map.width
            || static_cast<std::int64_t>(region.top) + region.height > map.height;
    };
    std::string const window = std::to_string(region.left) + "," + std::to_string(region.top) + ","
        + SizeText({ region.width, region.height });
    if (!options.heightmapPath.empty() && outside(HeightmapMapSize(options, gridSize)))
        return "--region " + window + " does not fit inside the " + SizeText(HeightmapMapSize(options, gridSize))
            + " heightmap";
    if (options.view == ImageView::Texture && options.imageSize && outside(*options.imageSize))
        return "--region " + window + " does not fit inside the " + SizeText(*options.imageSize) + " texture";
    return {};
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
            || arg == "--heightmap-size" || arg == "--mesh" || arg == "--relief" || arg == "--metadata"
            || arg == "--sampling" || arg == "--region" || arg == "--height-range" || arg == "--cube-heightmap"
            || arg == "--cube-texture" || arg == "--face-size";
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
            parsed.error = ParseMapSize(arg, value, options.imageSize);
        else if (arg == "--screen")
            parsed.error = ParseScreen(value, options);
        else if (arg == "--heightmap")
            parsed.error = ParseFileName(arg, value, options.heightmapPath);
        else if (arg == "--heightmap-size")
            parsed.error = ParseMapSize(arg, value, options.heightmapSize);
        else if (arg == "--sampling")
            parsed.error = ParseSampling(value, options);
        else if (arg == "--region") {
            options.region = ParseRegion(value);
            if (!options.region)
                parsed.error = "--region needs X0,Y0,WxH with W and H from 1 to " + std::to_string(MAX_IMAGE_SIDE)
                    + ", got '" + value + "'";
        } else if (arg == "--height-range") {
            options.heightRange = ParseHeightRange(value);
            if (!options.heightRange)
                parsed.error = "--height-range needs RMIN,RMAX, two decimal numbers with RMIN below RMAX, got '"
                    + value + "'";
        } else if (arg == "--cube-heightmap")
            parsed.error = ParseFileName(arg, value, options.cubeHeightmapPattern);
        else if (arg == "--cube-texture")
            parsed.error = ParseFileName(arg, value, options.cubeTexturePattern);
        else if (arg == "--face-size")
            parsed.error = ParseFaceSize(value, options);
        else if (arg == "--mesh")
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
    std::string const image = std::to_string(MAX_IMAGE_SIDE);
    return "usage: " + program + " [--seeds S1,S2] [--passes P] [--dump FILE]\n"
        "       [--image FILE.png --view " + ViewNameList() + " --size WxH [--screen WxH]]\n"
        "       [--heightmap FILE [--heightmap-size WxH]] [--sampling pixel|grid] [--region X0,Y0,WxH]\n"
        "       [--cube-heightmap PATTERN] [--cube-texture PATTERN] [--face-size S]\n"
        "       [--height-range RMIN,RMAX] [--mesh FILE.glb [--relief K]] [--metadata FILE.json]\n"
        "       [--timings] [--quiet] [--version]\n"
        "  --seeds S1,S2  the generator's two seeds (default: from the tick count)\n"
        "  --passes P     dissection passes, 1 to 2147483647 (default 3001)\n"
        "  --dump FILE    write the grid as N*N points of three little-endian float32\n"
        "  --image FILE   draw a view of the planet into an 8-bit RGB PNG\n"
        "  --view V       map: the map as rendered into a WxH screen buffer;\n"
        "                 lower, upper: the z < 0 or z > 0 hemisphere over WxH;\n"
        "                 window: the program's window with a WxH client area;\n"
        "                 texture: the elevation colours, pixel for pixel as the heightmap\n"
        "  --size WxH     the image size, 1 to " + image + " pixels each way\n"
        "  --screen WxH   the display the window's map buffer is made for\n"
        "                 (--view window; default 1920x1080)\n"
        "  --heightmap FILE  an equirectangular heightmap: .png 16-bit greyscale, .r16 raw\n"
        "                 16-bit little-endian, .r32 raw float32 radii, .exr float radii\n"
        "  --heightmap-size WxH  its size, 1 to " + image + " each way\n"
        "                 (default 2N x N for a grid of N x N points)\n"
        "  --sampling S   pixel: every pixel of the heightmap and texture grown as a point\n"
        "                 of its own (default); grid: the grid point under each pixel\n"
        "  --region X0,Y0,WxH  write only this window of the heightmap and texture, whose\n"
        "                 sizes are then the whole map's (up to " + std::to_string(MAX_MAP_SIDE) + " each way)\n"
        "  --cube-heightmap PATTERN  six square heightmaps, a cube map's faces; {face} in\n"
        "                 the name becomes px, nx, py, ny, pz, nz (formats as --heightmap)\n"
        "  --cube-texture PATTERN  the six faces' elevation colours, 8-bit RGB PNG\n"
        "  --face-size S  the faces' side, 1 to " + std::to_string(MAX_FACE_SIZE) + " (default "
        + std::to_string(DEFAULT_FACE_SIZE) + ")\n"
        "  --height-range RMIN,RMAX  the radii 16-bit heights map to 0 and 65535, radii\n"
        "                 outside clamped (default: the lowest and highest height written)\n"
        "  --mesh FILE.glb  the globe as a glTF 2.0 binary, textured like --view texture\n"
        "  --relief K     heights above and below the mean radius times K, 0 to 1000 (default 1)\n"
        "  --metadata FILE.json  seeds, passes, command line, radii and every file written\n"
        "  --timings      print grow_ms=G render_ms=R encode_ms=E on stderr\n"
        "  --quiet        no progress on stderr\n"
        "  --version      print the program's name and release\n";
}
