#include "winapi/user/vector_state.h"

#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>
#endif

namespace winapi {

#if defined(__x86_64__) || defined(__i386__)

namespace {

[[gnu::target("avx")]] void ZeroUpperHalves()
{
    _mm256_zeroupper();
}

}

void ClearVectorUpperHalves()
{
    static bool const hasAvx = __builtin_cpu_supports("avx");
    if (hasAvx)
        ZeroUpperHalves();
}

#else

void ClearVectorUpperHalves()
{
}

#endif

}
