#include "tools/export_options.h"

#include <charconv>

std::optional<std::int64_t> ParseInteger(std::string const& text)
{
    if (text.empty())
        return std::nullopt;
    char const* first = text.data();
    char const* last = text.data() + text.size();
    if (*first == '+')
        ++first;
    if (first == last || (first != text.data() && *first == '-'))
        return std::nullopt;
    std::int64_t value = 0;
    auto const [end, error] = std::from_chars(first, last, value);
    if (error != std::errc() || end != last)
        return std::nullopt;
    return value;
}

namespace {

bool InInt32(std::int64_t value)
{
    return value >= INT32_MIN && value <= INT32_MAX;
}

std::string ParseSeeds(std::string const& text, ExportOptions& options)
{
    auto const comma = text.find(',');
    if (comma == std::string::npos)
        return "--seeds needs two integers separated by a comma, got '" + text + "'";
    auto const first = ParseInteger(text.substr(0, comma));
    auto const second = ParseInteger(text.substr(comma + 1));
    if (!first || !second || !InInt32(*first) || !InInt32(*second))
        return "--seeds needs two 32-bit integers separated by a comma, got '" + text + "'";
    options.seed1 = static_cast<std::int32_t>(*first);
    options.seed2 = static_cast<std::int32_t>(*second);
    return {};
}

std::string ParsePasses(std::string const& text, ExportOptions& options)
{
    auto const value = ParseInteger(text);
    if (!value || *value < 1 || *value > INT32_MAX)
        return "--passes needs an integer from 1 to 2147483647, got '" + text + "'";
    options.passes = static_cast<std::int32_t>(*value);
    return {};
}

}

ParsedExportOptions ParseExportOptions(std::vector<std::string> const& args)
{
    ParsedExportOptions parsed;
    ExportOptions& options = parsed.options;

    for (std::size_t i = 0; i < args.size(); ++i) {
        std::string const& arg = args[i];
        if (arg == "--quiet") {
            options.quiet = true;
            continue;
        }
        if (arg == "--help" || arg == "-h") {
            options.help = true;
            continue;
        }

        bool const takesValue = arg == "--seeds" || arg == "--passes" || arg == "--dump";
        if (!takesValue) {
            parsed.error = "unknown option '" + arg + "'";
            return parsed;
        }
        if (i + 1 >= args.size()) {
            parsed.error = arg + " needs a value";
            return parsed;
        }
        std::string const& value = args[++i];

        if (arg == "--seeds")
            parsed.error = ParseSeeds(value, options);
        else if (arg == "--passes")
            parsed.error = ParsePasses(value, options);
        else if (arg == "--dump") {
            if (value.empty())
                parsed.error = "--dump needs a file name";
            options.dumpPath = value;
        }
        if (!parsed.error.empty())
            return parsed;
    }
    return parsed;
}

std::string ExportUsage(std::string const& program)
{
    return "usage: " + program + " [--seeds S1,S2] [--passes P] [--dump FILE] [--quiet]\n"
        "  --seeds S1,S2  the generator's two seeds (default: from the tick count)\n"
        "  --passes P     dissection passes, 1 to 2147483647 (default 3001)\n"
        "  --dump FILE    write the grid as N*N points of three little-endian float32\n"
        "  --quiet        no progress on stderr\n";
}
