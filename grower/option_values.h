// The values the grower's options take, and the strict parsers that read
// them from the command line's text.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

// What --image draws.
enum class ImageView {
    Map,   // the map, as rendered into a screen-sized buffer
    Lower, // the z < 0 hemisphere view
    Upper, // the z > 0 hemisphere view
    Window, // the main window's client area as it paints itself
    Texture, // the elevation colours, sampled as the heightmap is
};

struct ImageSize {
    std::int32_t width;
    std::int32_t height;
};

inline constexpr std::int32_t MAX_IMAGE_SIDE = 16384;

// How the equirectangular outputs (the heightmap and the texture) take
// their samples: each pixel grown as a point of its own, or the grid point
// its centre falls on.
enum class Sampling {
    Pixel,
    Grid,
};

// --region X0,Y0,WxH: the window of the whole map that the equirectangular
// outputs hold. The whole map may then be larger than any one file.
struct PixelRegion {
    std::int32_t left;
    std::int32_t top;
    std::int32_t width;
    std::int32_t height;
};
inline constexpr std::int32_t MAX_MAP_SIDE = 1048576;

// --height-range RMIN,RMAX: the radii a 16-bit heightmap maps to 0 and 65535.
struct HeightRange {
    double min;
    double max;
};

// Cube faces are square, of --face-size pixels each way.
inline constexpr std::int32_t DEFAULT_FACE_SIZE = 1024;
inline constexpr std::int32_t MAX_FACE_SIZE = MAX_IMAGE_SIDE;

// What a cube map's file name pattern holds, replaced by each face's name.
inline constexpr char FACE_PLACEHOLDER[] = "{face}";

// --relief: how many times the heights above and below the mean radius
// the mesh shows.
inline constexpr double DEFAULT_RELIEF = 1.0;
inline constexpr double MAX_RELIEF = 1000.0;

// The display the window view's map buffer is made for, unless --screen.
inline constexpr ImageSize DEFAULT_SCREEN_SIZE { 1920, 1080 };

// The name --view takes for a view, and the view a name stands for.
char const* ImageViewName(ImageView view);
std::optional<ImageView> ParseImageView(std::string const& name);

// Every view's name, as "map|lower|...".
std::string ViewNameList();

// Plain decimal digits from `lowest` to `largest`, and no more digits than
// `largest` has.
std::optional<std::int32_t> ParseWhole(std::string const& text, std::int32_t lowest, std::int32_t largest);

// "WxH" with 1 <= W, H <= largest (MAX_IMAGE_SIDE unless given), plain
// decimal digits only.
std::optional<ImageSize> ParseImageSize(std::string const& text, std::int32_t largest = MAX_IMAGE_SIDE);

// "X0,Y0,WxH": X0 and Y0 from 0 to MAX_MAP_SIDE - 1, W and H from 1 to
// MAX_IMAGE_SIDE.
std::optional<PixelRegion> ParseRegion(std::string const& text);

// "RMIN,RMAX": two finite decimal numbers, RMIN below RMAX.
std::optional<HeightRange> ParseHeightRange(std::string const& text);

// A plain decimal number from 0 to 1000 for --relief: digits with at most
// one decimal point, nothing else.
std::optional<double> ParseRelief(std::string const& text);

// Strict decimal integer parsing: an optional sign, digits, nothing else.
std::optional<std::int64_t> ParseInteger(std::string const& text);
