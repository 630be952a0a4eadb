// The instruction-set levels a vector kernel can be written for, from the
// plain C++ form every processor runs up to AVX-512, and which of them this
// processor runs. Each family of kernels keeps one form per level it has;
// the widest level the machine runs picks the form once, and the tests and
// benchmarks name every level the machine runs to compare the forms.
#pragma once

#include <array>

enum class KernelLevel {
    Portable, // plain C++, no vector instructions of its own
    Sse2,
    Avx2,
    Avx512, // AVX-512F
};

inline constexpr std::array<KernelLevel, 4> KERNEL_LEVELS {
    KernelLevel::Portable,
    KernelLevel::Sse2,
    KernelLevel::Avx2,
    KernelLevel::Avx512,
};

// True when this processor runs code built for `level`.
bool MachineRuns(KernelLevel level);

// The widest level this processor runs; found once, the same afterwards.
KernelLevel WidestMachineLevel();

// "portable", "sse2", "avx2" or "avx512", for test and benchmark names.
char const* KernelLevelName(KernelLevel level);
