#include "platform/kernel_level.h"

namespace {

struct MachineLevels {
    bool sse2 = false;
    bool avx2 = false;
    bool avx512 = false;
};

MachineLevels DetectLevels()
{
    MachineLevels levels;
#if defined(__x86_64__) || defined(__i386__)
    __builtin_cpu_init();
    levels.sse2 = __builtin_cpu_supports("sse2") != 0;
    levels.avx2 = levels.sse2 && __builtin_cpu_supports("avx2") != 0;
    levels.avx512 = levels.avx2 && __builtin_cpu_supports("avx512f") != 0;
#endif
    return levels;
}

MachineLevels const& Levels()
{
    static MachineLevels const levels = DetectLevels();
    return levels;
}

}

bool MachineRuns(KernelLevel level)
{
    switch (level) {
    case KernelLevel::Portable:
        return true;
    case KernelLevel::Sse2:
        return Levels().sse2;
    case KernelLevel::Avx2:
        return Levels().avx2;
    case KernelLevel::Avx512:
        return Levels().avx512;
    }
    return false;
}

KernelLevel WidestMachineLevel()
{
    static KernelLevel const widest = [] {
        KernelLevel found = KernelLevel::Portable;
        for (KernelLevel level : KERNEL_LEVELS) {
            if (MachineRuns(level))
                found = level;
        }
        return found;
    }();
    return widest;
}

char const* KernelLevelName(KernelLevel level)
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
