#include "grower/requested_outputs.h"

#include "grower/sampled_files.h"

std::vector<RequestedOutput> RequestedOutputs(GrowerOptions const& options)
{
    std::vector<RequestedOutput> outputs;
    auto const add = [&](char const* option, std::string const& name) {
        if (!name.empty())
            outputs.push_back({ option, name });
    };
    add("--image", options.imagePath);
    add("--heightmap", options.heightmapPath);
    for (CubeFace const face : CUBE_FACES) {
        if (!options.cubeHeightmapPattern.empty())
            add("--cube-heightmap", CubeFacePath(options.cubeHeightmapPattern, face));
        if (!options.cubeTexturePattern.empty())
            add("--cube-texture", CubeFacePath(options.cubeTexturePattern, face));
    }
    add("--mesh", options.meshPath);
    add("--dump", options.dumpPath);
    add("--metadata", options.metadataPath);
    return outputs;
}
