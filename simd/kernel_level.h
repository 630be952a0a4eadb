// The instruction-set levels a family of kernels is written for, and which of
// them this processor runs. Every level of a family gives the same results,
// bit for bit; a wider one only goes faster. A family takes the kernels of
// ChosenKernelLevel(), the widest level this processor runs unless a
// benchmark chose another; tests and benchmarks also name each level this
// machine runs to compare them.
#pragma once

#include <array>
#include <atomic>
#include <vector>

enum class KernelLevel {
    Portable, // plain C++, one value at a time: the reference form
    Sse2,     // 128-bit registers
    Avx2,     // 256-bit registers
    Avx512,   // 512-bit registers (AVX-512F, VL and DQ)
};

inline constexpr int KERNEL_LEVEL_COUNT = 4;

// Every level, narrowest first.
inline constexpr std::array<KernelLevel, KERNEL_LEVEL_COUNT> KERNEL_LEVELS {
    KernelLevel::Portable,
    KernelLevel::Sse2,
    KernelLevel::Avx2,
    KernelLevel::Avx512,
};

inline char const* KernelLevelName(KernelLevel level)
{
    switch (level) {
    case KernelLevel::Portable:
        return "portable";
    case KernelLevel::Sse2:
        return "sse2";
    case KernelLevel::Avx2:
        return "avx2";
    case KernelLevel::Avx512:
        return "avx512";
    }
    return "unknown";
}

namespace simd_detail {

inline KernelLevel DetectFastestLevel()
{
#if defined(__x86_64__) || defined(__i386__)
    // Safe during static initialisation, before the runtime's own call.
    __builtin_cpu_init();
    // The AVX-512 kernels also take its 256-bit forms and its mask moves,
    // which every processor with AVX-512 but the first accelerators has.
    if (__builtin_cpu_supports("avx512f") && __builtin_cpu_supports("avx512vl")
        && __builtin_cpu_supports("avx512dq"))
        return KernelLevel::Avx512;
    if (__builtin_cpu_supports("avx2"))
        return KernelLevel::Avx2;
    if (__builtin_cpu_supports("sse2"))
        return KernelLevel::Sse2;
#endif
    return KernelLevel::Portable;
}

}

// The widest level this processor runs, found on the first call (safe from
// any thread) and the same ever after.
inline KernelLevel FastestKernelLevel()
{
    static KernelLevel const fastest = simd_detail::DetectFastestLevel();
    return fastest;
}

namespace simd_detail {

// The level a benchmark chose for the whole process, or -1 for the widest.
inline std::atomic<int> chosenLevel { -1 };

}

// Whether this processor runs code compiled for the level.
inline bool MachineRuns(KernelLevel level)
{
    return static_cast<int>(level) <= static_cast<int>(FastestKernelLevel());
}

// Every level this processor runs, narrowest first.
inline std::vector<KernelLevel> LevelsThisMachineRuns()
{
    std::vector<KernelLevel> levels;
    for (int level = 0; level <= static_cast<int>(FastestKernelLevel()); ++level)
        levels.push_back(static_cast<KernelLevel>(level));
    return levels;
}

// The level itself when this processor runs it, else the widest it runs.
inline KernelLevel RunnableLevel(KernelLevel level)
{
    return MachineRuns(level) ? level : FastestKernelLevel();
}

// The level every family takes when its caller names none: the widest this
// processor runs, unless a benchmark chose another for the whole process.
inline KernelLevel ChosenKernelLevel()
{
    int const chosen = simd_detail::chosenLevel.load(std::memory_order_relaxed);
    return chosen < 0 ? FastestKernelLevel() : static_cast<KernelLevel>(chosen);
}

// Makes `level` (or the widest this processor runs, when it does not run
// that one) the level of every family that is not told one: how a benchmark
// measures the whole program at each level.
inline void ChooseKernelLevel(KernelLevel level)
{
    simd_detail::chosenLevel.store(static_cast<int>(RunnableLevel(level)), std::memory_order_relaxed);
}
