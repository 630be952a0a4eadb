#include "tools/output_paths.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

namespace {

std::string ComparablePath(std::string const& path)
{
    std::error_code error;
    std::filesystem::path absolute = std::filesystem::absolute(path, error);
    if (error)
        absolute = path;
    std::string text = absolute.lexically_normal().string();
#ifdef _WIN32
    std::transform(text.begin(), text.end(), text.begin(),
        [](unsigned char c) { return static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c); });
#endif
    return text;
}

}

std::vector<OutputPath> ExportOutputPaths(ExportOptions const& options)
{
    std::vector<OutputPath> outputs;
    auto const add = [&](char const* option, std::string const& path) {
        if (!path.empty())
            outputs.push_back({ option, path });
    };
    add("--image", options.imagePath);
    add("--heightmap", options.heightmapPath);
    add("--mesh", options.meshPath);
    add("--dump", options.dumpPath);
    add("--metadata", options.metadataPath);
    return outputs;
}

std::string CheckOutputsDistinct(std::vector<OutputPath> const& outputs)
{
    std::vector<std::string> seen;
    for (std::size_t i = 0; i < outputs.size(); ++i) {
        std::string const path = ComparablePath(outputs[i].path);
        for (std::size_t j = 0; j < seen.size(); ++j) {
            if (seen[j] == path) {
                return std::string(outputs[j].option) + " and " + outputs[i].option + " name the same file '"
                    + outputs[i].path + "'";
            }
        }
        seen.push_back(path);
    }
    return {};
}
