// One family of kernels: a form of the same work for each instruction-set
// level, every form giving the same result. The drawing takes the form of
// the chosen level (the widest the processor runs, unless a benchmark chose
// another); the tests and benchmarks name a level to reach each form on one
// machine.
#pragma once

#include "simd/kernel_level.h"

#include <array>
#include <cstddef>

template<typename Kernel>
struct KernelTable {
    // By level, Portable first; a level without a form of its own repeats
    // the one below it.
    std::array<Kernel, KERNEL_LEVELS.size()> forms;

    // The form of `level`, which must be one the processor runs.
    Kernel At(KernelLevel level) const { return forms[static_cast<std::size_t>(level)]; }

    // The form of the chosen level (ChosenKernelLevel): the widest the
    // processor runs unless a benchmark chose another.
    Kernel ForMachine() const { return At(ChosenKernelLevel()); }
};
