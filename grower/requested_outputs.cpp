#include "grower/requested_outputs.h"

std::vector<RequestedOutput> RequestedOutputs(GrowerOptions const& options)
{
    std::vector<RequestedOutput> outputs;
    auto const add = [&](char const* option, std::string const& name) {
        if (!name.empty())
            outputs.push_back({ option, name });
    };
    add("--image", options.imagePath);
    add("--heightmap", options.heightmapPath);
    add("--mesh", options.meshPath);
    add("--dump", options.dumpPath);
    add("--metadata", options.metadataPath);
    return outputs;
}
