#include "tools/requested_outputs.h"

std::vector<RequestedOutput> RequestedOutputs(ExportOptions const& options)
{
    std::vector<RequestedOutput> outputs;
    auto const add = [&](char const* option, std::string const& name) {
        if (!name.empty())
            outputs.push_back({ option, name });
    };
    add("--image", options.imagePath);
    add("--dump", options.dumpPath);
    return outputs;
}
