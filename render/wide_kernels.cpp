#include "render/wide_kernels.h"

namespace {

bool g_allowed = true;

bool ProcessorHasAvx512()
{
    static bool const has = [] {
        __builtin_cpu_init();
        return __builtin_cpu_supports("avx512f") != 0;
    }();
    return has;
}

}

bool UseAvx512Kernels()
{
    return g_allowed && ProcessorHasAvx512();
}

void AllowAvx512Kernels(bool allowed)
{
    g_allowed = allowed;
}
