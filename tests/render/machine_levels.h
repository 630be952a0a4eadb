// The instruction-set levels this machine runs: the tests compare the
// kernels of each one with the reference.
#pragma once

#include "platform/kernel_level.h"

#include <vector>

inline std::vector<KernelLevel> MachineLevels()
{
    std::vector<KernelLevel> levels;
    for (KernelLevel level : KERNEL_LEVELS) {
        if (MachineRuns(level))
            levels.push_back(level);
    }
    return levels;
}
