// The grower's options read for a test: the options, or the refusal's line.
#pragma once

#include "grower/failure.h"
#include "grower/grower_options.h"

#include <string>
#include <vector>

struct ParsedGrowerOptions {
    GrowerOptions options;
    std::string error; // empty when the command line is good
};

inline ParsedGrowerOptions ParseForTest(std::vector<std::string> const& args)
{
    ParsedGrowerOptions parsed;
    try {
        parsed.options = ParseGrowerOptions(args);
    } catch (Failure const& failure) {
        parsed.error = failure.Message();
    }
    return parsed;
}

// The refusal of a check that throws, or the empty text.
template <typename Check>
std::string RefusalOf(Check const& check)
{
    try {
        check();
    } catch (Failure const& failure) {
        return failure.Message();
    }
    return "";
}
