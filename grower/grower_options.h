#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

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

// --relief: how many times the heights above and below the mean radius
// the mesh shows.
inline constexpr double DEFAULT_RELIEF = 1.0;
inline constexpr double MAX_RELIEF = 1000.0;

// The display the window view's map buffer is made for, unless --screen.
inline constexpr ImageSize DEFAULT_SCREEN_SIZE { 1920, 1080 };

// The command line of morva<N>-grower.
struct GrowerOptions {
    std::optional<std::int32_t> seed1;
    std::optional<std::int32_t> seed2;
    std::int32_t passes = 3001;
    std::string dumpPath;
    std::string imagePath;
    std::optional<ImageView> view;
    std::optional<ImageSize> imageSize;
    std::optional<ImageSize> screenSize; // --view window only
    std::string heightmapPath;
    std::optional<ImageSize> heightmapSize; // default 2N x N
    std::string meshPath;
    std::optional<double> relief; // --mesh only; default 1
    std::string metadataPath;
    bool timings = false;
    bool quiet = false;
    bool help = false;
    bool version = false;
};

struct ParsedGrowerOptions {
    GrowerOptions options;
    std::string error; // empty when the command line is good
};

ParsedGrowerOptions ParseGrowerOptions(std::vector<std::string> const& args);

// Refuses a view this build cannot draw: --view window where the window
// cannot be painted. Empty when the view can be drawn.
std::string CheckViewAvailable(GrowerOptions const& options, bool windowViewAvailable);

std::string GrowerUsage(std::string const& program);

// The name --view takes for a view, and the view a name stands for.
char const* ImageViewName(ImageView view);
std::optional<ImageView> ParseImageView(std::string const& name);

// "WxH" with 1 <= W, H <= MAX_IMAGE_SIDE, plain decimal digits only.
std::optional<ImageSize> ParseImageSize(std::string const& text);

// A plain decimal number from 0 to 1000 for --relief: digits with at most
// one decimal point, nothing else.
std::optional<double> ParseRelief(std::string const& text);

// Strict decimal integer parsing: an optional sign, digits, nothing else.
std::optional<std::int64_t> ParseInteger(std::string const& text);
