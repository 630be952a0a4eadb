#include "grower/output_table.h"

#include "grower/file_writers.h"

namespace {

template <std::string GrowerOptions::*path>
std::vector<std::string> OneFile(GrowerOptions const& options)
{
    if ((options.*path).empty())
        return {};
    return { options.*path };
}

// The picture and the texture share --image; --view tells them apart.
std::vector<std::string> PictureFile(GrowerOptions const& options)
{
    if (options.view == ImageView::Texture)
        return {};
    return OneFile<&GrowerOptions::imagePath>(options);
}

std::vector<std::string> TextureFile(GrowerOptions const& options)
{
    if (options.view != ImageView::Texture)
        return {};
    return OneFile<&GrowerOptions::imagePath>(options);
}

// A cube map's six faces, in the order of CUBE_FACES.
template <std::string GrowerOptions::*pattern>
std::vector<std::string> FaceFiles(GrowerOptions const& options)
{
    std::vector<std::string> names;
    if (!(options.*pattern).empty()) {
        for (CubeFace const face : CUBE_FACES)
            names.push_back(CubeFacePath(options.*pattern, face));
    }
    return names;
}

SampleSurface HeightmapSurface(GrowerOptions const& options, std::int32_t gridSize, std::size_t)
{
    return MapSurface(options, HeightmapMapSize(options, gridSize));
}

SampleSurface TextureSurface(GrowerOptions const& options, std::int32_t, std::size_t)
{
    return MapSurface(options, *options.imageSize);
}

SampleSurface CubeSurface(GrowerOptions const& options, std::int32_t, std::size_t index)
{
    return FaceSurface(options, CUBE_FACES[index]);
}

}

std::vector<OutputEntry> const& OutputTable()
{
    static std::vector<OutputEntry> const table = {
        { "--image", "image", PictureFile, WritePicture },
        { "--image", "image", TextureFile, SampleWriter { SampleKind::Color, TextureSurface } },
        { "--heightmap", "heightmap", OneFile<&GrowerOptions::heightmapPath>,
            SampleWriter { SampleKind::Height, HeightmapSurface } },
        { "--cube-heightmap", "cube heightmap", FaceFiles<&GrowerOptions::cubeHeightmapPattern>,
            SampleWriter { SampleKind::Height, CubeSurface } },
        { "--cube-texture", "cube texture", FaceFiles<&GrowerOptions::cubeTexturePattern>,
            SampleWriter { SampleKind::Color, CubeSurface } },
        { "--mesh", "mesh", OneFile<&GrowerOptions::meshPath>, WriteMesh },
        { "--dump", "dump", OneFile<&GrowerOptions::dumpPath>, WriteDump },
        { "--metadata", "metadata", OneFile<&GrowerOptions::metadataPath>, WriteMetadata },
    };
    return table;
}
