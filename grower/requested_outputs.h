#pragma once

#include "grower/grower_options.h"
#include "grower/output_paths.h"

#include <vector>

// Every file the command line asks the grower to write, in the order they
// are written. A new output joins here with one line.
std::vector<RequestedOutput> RequestedOutputs(GrowerOptions const& options);
