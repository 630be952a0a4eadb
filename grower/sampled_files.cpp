#include "grower/sampled_files.h"

std::string CubeFacePath(std::string const& pattern, CubeFace face)
{
    std::string path;
    std::string_view const placeholder = FACE_PLACEHOLDER;
    for (std::size_t i = 0; i < pattern.size();) {
        if (pattern.compare(i, placeholder.size(), placeholder) == 0) {
            path += CubeFaceName(face);
            i += placeholder.size();
        } else {
            path += pattern[i++];
        }
    }
    return path;
}

namespace {

SampleSurface MapSurface(GrowerOptions const& options, ImageSize map)
{
    SampleSurface surface;
    surface.sampling = options.sampling.value_or(Sampling::Pixel);
    surface.window = { map.width, map.height, 0, 0, map.width, map.height };
    if (options.region) {
        PixelRegion const& region = *options.region;
        surface.window = { map.width, map.height, region.left, region.top, region.width, region.height };
    }
    return surface;
}

SampleSurface FaceSurface(GrowerOptions const& options, CubeFace face)
{
    SampleSurface surface;
    surface.face = face;
    surface.faceSize = options.faceSize.value_or(DEFAULT_FACE_SIZE);
    return surface;
}

}

std::vector<SampledFile> SampledFiles(GrowerOptions const& options, std::int32_t gridSize)
{
    std::vector<SampledFile> files;
    if (!options.heightmapPath.empty()) {
        files.push_back({ "--heightmap", options.heightmapPath, SampleKind::Height,
            *HeightmapFormatOf(options.heightmapPath), MapSurface(options, HeightmapMapSize(options, gridSize)) });
    }
    if (options.view == ImageView::Texture && !options.imagePath.empty() && options.imageSize) {
        files.push_back({ "--image", options.imagePath, SampleKind::Color, HeightmapFormat::Png,
            MapSurface(options, *options.imageSize) });
    }
    for (CubeFace const face : CUBE_FACES) {
        if (!options.cubeHeightmapPattern.empty()) {
            files.push_back({ "--cube-heightmap", CubeFacePath(options.cubeHeightmapPattern, face), SampleKind::Height,
                *HeightmapFormatOf(options.cubeHeightmapPattern), FaceSurface(options, face) });
        }
        if (!options.cubeTexturePattern.empty()) {
            files.push_back({ "--cube-texture", CubeFacePath(options.cubeTexturePattern, face), SampleKind::Color,
                HeightmapFormat::Png, FaceSurface(options, face) });
        }
    }
    return files;
}
