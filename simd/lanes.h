// Lanes of values as GCC vector types, one register of doubles wide (two
// at SSE2, four at AVX2, eight at AVX-512), with the float lanes of as many
// values, and the operations a rule written once needs to run on one value
// or on lanes alike: a float widened to double and a double rounded to the
// nearest float, whether any lane of a mask is set, and correctly rounded
// square roots. A comparison of one value gives a bool, of lanes a mask of
// all-ones and all-zeros lanes; both select with `mask ? a : b`.
//
// The lane forms are intrinsics, one overload per register width, each
// compiled for the instruction set that has it. They pay: GCC 12 widens and
// narrows vector types half by half and then joins the halves, and with
// __builtin_convertvector the AVX2 culled cuts of the dissection benchmark
// ran 2.5 times slower; there is no vector square root without them. They
// are not always_inline: a kernel template that calls them is inlined into
// its level's function first, and they into that function, which has
// their instruction set.
#pragma once

#include <cmath>
#include <cstring>
#include <type_traits>

namespace simd {

template<int Width>
struct Lanes {
    typedef float Single __attribute__((vector_size(4 * Width)));
    typedef double Double __attribute__((vector_size(8 * Width)));
    // What comparing doubles gives: lanes of the platform's first 64-bit
    // integer type, long or long long.
    typedef std::conditional_t<sizeof(long) == 8, long, long long> Mask __attribute__((vector_size(8 * Width)));
    typedef int Int __attribute__((vector_size(4 * Width)));
};

inline double Widen(float value)
{
    return value;
}

inline float Narrow(double value)
{
    return static_cast<float>(value);
}

inline bool AnyLane(bool mask)
{
    return mask;
}

inline double SquareRoot(double value)
{
    return std::sqrt(value);
}

// The bits of an integer mask's set lanes, lane 0 lowest: one value's is 1
// or 0.
inline unsigned SetLaneBits(int mask)
{
    return mask != 0;
}

// Lanes (or one value) from memory and to it, aligned or not. Vectors pass
// only into functions compiled for their instruction set.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wpsabi"

template<typename Values>
[[gnu::always_inline]] inline Values LoadLanes(void const* from)
{
    Values values;
    std::memcpy(&values, from, sizeof values);
    return values;
}

template<typename Values>
[[gnu::always_inline]] inline void StoreLanes(void* to, Values const& values)
{
    std::memcpy(to, &values, sizeof values);
}

#pragma GCC diagnostic pop

}

#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>

#define MORVA_SIMD_X86 1

// A vector of Lanes<2>::Single is half a register wide: it passes through
// the lower half of one.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wpsabi"

namespace simd {

[[gnu::target("sse2")]] inline Lanes<2>::Double Widen(Lanes<2>::Single value)
{
    __m128 const wide = reinterpret_cast<__m128>(__builtin_shufflevector(value, value, 0, 1, 0, 1));
    return reinterpret_cast<Lanes<2>::Double>(_mm_cvtps_pd(wide));
}

[[gnu::target("avx")]] inline Lanes<4>::Double Widen(Lanes<4>::Single value)
{
    return reinterpret_cast<Lanes<4>::Double>(_mm256_cvtps_pd(reinterpret_cast<__m128>(value)));
}

// The AVX-512 forms keep every lane through a mask: the same values as the
// unmasked intrinsics, whose undefined pass-through GCC warns about.
constexpr __mmask8 ALL_EIGHT = 0xFF;

[[gnu::target("avx512f")]] inline Lanes<8>::Double Widen(Lanes<8>::Single value)
{
    return reinterpret_cast<Lanes<8>::Double>(_mm512_maskz_cvtps_pd(ALL_EIGHT, reinterpret_cast<__m256>(value)));
}

[[gnu::target("sse2")]] inline Lanes<2>::Single Narrow(Lanes<2>::Double value)
{
    typedef float Four __attribute__((vector_size(16)));
    Four const narrow = reinterpret_cast<Four>(_mm_cvtpd_ps(reinterpret_cast<__m128d>(value)));
    return __builtin_shufflevector(narrow, narrow, 0, 1);
}

[[gnu::target("avx")]] inline Lanes<4>::Single Narrow(Lanes<4>::Double value)
{
    return reinterpret_cast<Lanes<4>::Single>(_mm256_cvtpd_ps(reinterpret_cast<__m256d>(value)));
}

[[gnu::target("avx512f")]] inline Lanes<8>::Single Narrow(Lanes<8>::Double value)
{
    return reinterpret_cast<Lanes<8>::Single>(_mm512_maskz_cvtpd_ps(ALL_EIGHT, reinterpret_cast<__m512d>(value)));
}

[[gnu::target("sse2")]] inline bool AnyLane(Lanes<2>::Mask mask)
{
    return _mm_movemask_pd(reinterpret_cast<__m128d>(mask)) != 0;
}

[[gnu::target("avx")]] inline bool AnyLane(Lanes<4>::Mask mask)
{
    return _mm256_movemask_pd(reinterpret_cast<__m256d>(mask)) != 0;
}

[[gnu::target("avx512f")]] inline bool AnyLane(Lanes<8>::Mask mask)
{
    __m512i const bits = reinterpret_cast<__m512i>(mask);
    return _mm512_test_epi64_mask(bits, bits) != 0;
}

// Lanes of doubles truncated toward zero to 32-bit ints. A lane that is not
// finite or lies outside the int range gives INT_MIN, as the instructions
// do (there is no scalar form: a double outside the range has no defined
// conversion).
[[gnu::target("sse2")]] inline Lanes<2>::Int TruncateToInt(Lanes<2>::Double value)
{
    typedef int Four __attribute__((vector_size(16)));
    Four const all = reinterpret_cast<Four>(_mm_cvttpd_epi32(reinterpret_cast<__m128d>(value)));
    return __builtin_shufflevector(all, all, 0, 1);
}

[[gnu::target("avx")]] inline Lanes<4>::Int TruncateToInt(Lanes<4>::Double value)
{
    return reinterpret_cast<Lanes<4>::Int>(_mm256_cvttpd_epi32(reinterpret_cast<__m256d>(value)));
}

[[gnu::target("avx512f")]] inline Lanes<8>::Int TruncateToInt(Lanes<8>::Double value)
{
    return reinterpret_cast<Lanes<8>::Int>(_mm512_maskz_cvttpd_epi32(ALL_EIGHT, reinterpret_cast<__m512d>(value)));
}

[[gnu::target("sse2")]] inline unsigned SetLaneBits(Lanes<4>::Int mask)
{
    return static_cast<unsigned>(_mm_movemask_ps(reinterpret_cast<__m128>(mask)));
}

[[gnu::target("avx")]] inline unsigned SetLaneBits(Lanes<8>::Int mask)
{
    return static_cast<unsigned>(_mm256_movemask_ps(reinterpret_cast<__m256>(mask)));
}

// The mask's sixteen bits are cut out in a general register, where GCC 12
// cannot take them as cut already: it may otherwise spill the mask with a
// 16-bit store and read the slot back as 32 bits, or move it out of a mask
// register whose upper bits are left over, with whatever they held.
[[gnu::target("avx512f")]] inline unsigned SetLaneBits(Lanes<16>::Int mask)
{
    unsigned bits = _mm512_cmpneq_epi32_mask(reinterpret_cast<__m512i>(mask), _mm512_setzero_si512());
    asm("" : "+r"(bits));
    return bits & 0xFFFFu;
}

[[gnu::target("sse2")]] inline Lanes<2>::Double SquareRoot(Lanes<2>::Double value)
{
    return reinterpret_cast<Lanes<2>::Double>(_mm_sqrt_pd(reinterpret_cast<__m128d>(value)));
}

[[gnu::target("avx")]] inline Lanes<4>::Double SquareRoot(Lanes<4>::Double value)
{
    return reinterpret_cast<Lanes<4>::Double>(_mm256_sqrt_pd(reinterpret_cast<__m256d>(value)));
}

[[gnu::target("avx512f")]] inline Lanes<8>::Double SquareRoot(Lanes<8>::Double value)
{
    return reinterpret_cast<Lanes<8>::Double>(
        _mm512_maskz_sqrt_pd(ALL_EIGHT, reinterpret_cast<__m512d>(value)));
}

}

#pragma GCC diagnostic pop

#endif
