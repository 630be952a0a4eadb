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
