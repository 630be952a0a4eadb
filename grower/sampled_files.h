#pragma once

#include "globe/sphere_directions.h"
#include "grower/grower_options.h"
#include "grower/heightmap_export.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// Where the pixels of a sampled file lie on the sphere: a window of an
// equirectangular map, or a face of a cube map.
struct SampleSurface {
    Sampling sampling = Sampling::Pixel; // cube faces are always grown per pixel
    MapWindow window {};                 // the map's window, when no face
    std::optional<CubeFace> face;
    std::int32_t faceSize = 0;

    std::int32_t Width() const { return face ? faceSize : window.width; }
    std::int32_t Height() const { return face ? faceSize : window.height; }

    // Two files on one surface hold samples of the same points.
    bool operator==(SampleSurface const& other) const
    {
        return sampling == other.sampling && face == other.face && faceSize == other.faceSize
            && window.mapWidth == other.window.mapWidth && window.mapHeight == other.window.mapHeight
            && window.left == other.window.left && window.top == other.window.top
            && window.width == other.window.width && window.height == other.window.height;
    }
};

enum class SampleKind {
    Height, // the radius, as 16-bit heights or as floats
    Color,  // the elevation colour, as 8-bit RGB
};

// One file whose pixels are samples of the planet.
struct SampledFile {
    std::string path;
    std::string kind; // what the metadata calls it
    SampleKind samples;
    HeightmapFormat format; // heights only
    SampleSurface surface;
};

// The name of one face's file: every {face} in the pattern replaced by the
// face's name.
std::string CubeFacePath(std::string const& pattern, CubeFace face);

// The window of a `map`-sized equirectangular map that --region asks for
// (all of it without), sampled as --sampling says.
SampleSurface MapSurface(GrowerOptions const& options, ImageSize map);

// One face of the cube map, --face-size pixels each way.
SampleSurface FaceSurface(GrowerOptions const& options, CubeFace face);
