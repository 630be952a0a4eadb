// The options that only make sense together, checked once every option
// is read.
#include "grower/grower_options.h"

#include "grower/exit_status.h"
#include "grower/failure.h"
#include "grower/heightmap_export.h"

namespace {

bool FitsAnImage(std::optional<ImageSize> const& size)
{
    return !size || (size->width <= MAX_IMAGE_SIDE && size->height <= MAX_IMAGE_SIDE);
}

std::string SizeText(ImageSize size)
{
    return std::to_string(size.width) + "x" + std::to_string(size.height);
}

// The image options only make sense together.
std::string ImageOptionsFault(GrowerOptions const& options)
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
std::string WorldOptionsFault(GrowerOptions const& options)
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

}

void CheckOptionsTogether(GrowerOptions const& options)
{
    std::string fault = ImageOptionsFault(options);
    if (fault.empty())
        fault = WorldOptionsFault(options);
    if (!fault.empty())
        throw CommandLineFault(fault);
}

void CheckViewAvailable(GrowerOptions const& options, bool windowViewAvailable)
{
    if (options.view == ImageView::Window && !windowViewAvailable)
        throw Failure(EXIT_BAD_INPUT,
            "--view window: this build cannot paint the program's window (only the Linux build can)");
}

ImageSize HeightmapMapSize(GrowerOptions const& options, std::int32_t gridSize)
{
    return options.heightmapSize.value_or(ImageSize { 2 * gridSize, gridSize });
}

void CheckMapWindows(GrowerOptions const& options, std::int32_t gridSize)
{
    if (!options.region)
        return;
    PixelRegion const& region = *options.region;
    auto const outside = [&](ImageSize map) {
        return static_cast<std::int64_t>(region.left) + region.width > map.width
            || static_cast<std::int64_t>(region.top) + region.height > map.height;
    };
    std::string const window = std::to_string(region.left) + "," + std::to_string(region.top) + ","
        + SizeText({ region.width, region.height });
    if (!options.heightmapPath.empty() && outside(HeightmapMapSize(options, gridSize)))
        throw CommandLineFault("--region " + window + " does not fit inside the "
            + SizeText(HeightmapMapSize(options, gridSize)) + " heightmap");
    if (options.view == ImageView::Texture && options.imageSize && outside(*options.imageSize))
        throw CommandLineFault(
            "--region " + window + " does not fit inside the " + SizeText(*options.imageSize) + " texture");
}

