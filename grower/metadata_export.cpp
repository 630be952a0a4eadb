#include "grower/metadata_export.h"

#include <nlohmann/json.hpp>

std::string MetadataText(RunDescription const& run, std::vector<WrittenFile> const& files)
{
    using json = nlohmann::ordered_json;
    json written = json::array();
    for (WrittenFile const& file : files) {
        json entry = { { "kind", file.kind }, { "path", file.path }, { "bytes", file.bytes } };
        for (auto const& [key, value] : file.details)
            std::visit([&, &key = key](auto const& v) { entry[key] = v; }, value);
        written.push_back(entry);
    }
    json document = {
        { "program", run.program },
        { "version", run.version },
        { "grid_size", run.gridSize },
        { "seeds", { run.seed1, run.seed2 } },
        { "passes", run.passes },
        { "command_line", run.commandLine },
        { "grow_again", "--seeds " + std::to_string(run.seed1) + "," + std::to_string(run.seed2) + " --passes "
                + std::to_string(run.passes) },
        { "radius",
            { { "unit", "the model's own: every point starts on a sphere of radius 2000" },
                { "mean", run.meanRadius }, { "max", run.maxRadius }, { "min", run.minRadius },
                { "sea_level", run.seaLevelRadius } } },
    };
    if (run.sixteenBitRange) {
        document["height_range"] = { { "radius_at_0", run.sixteenBitRange->first },
            { "radius_at_65535", run.sixteenBitRange->second } };
    }
    document["files"] = written;
    // Invalid UTF-8 in a path is replaced rather than thrown over.
    return document.dump(2, ' ', false, json::error_handler_t::replace) + "\n";
}
