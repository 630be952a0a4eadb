#include "render/elevation_pixels.h"

#include "render/elevation_color.h"
#include "render/elevation_pixels_avx512.h"
#include "render/elevation_rule.h"
#include "render/float_conversion.h"
#include "render/kernel_table.h"
#include "render/pixel_target.h"

#include <algorithm>
#include <cfloat>
#include <cstring>

#include <immintrin.h>

// The vector forms below are only ever called from functions compiled for
// their instruction set, inside this file: their vector arguments never
// cross an ABI boundary.
#pragma GCC diagnostic ignored "-Wpsabi"

namespace {

constexpr std::size_t RUN = 256;

// Within this land or depth fraction every product, sum and rounding below
// stays far inside the int range, where truncating to 32 bits keeps the same
// low byte as truncating to 64.
constexpr double EXACT_FRACTION = 1048576.0;

// Lanes of Width doubles, with their masks and 32-bit ints.
template<int Width>
struct Lanes {
    typedef double Real __attribute__((vector_size(8 * Width)));
    typedef long long Mask __attribute__((vector_size(8 * Width)));
    typedef float Single __attribute__((vector_size(4 * Width)));
    typedef int Int __attribute__((vector_size(4 * Width)));
};

// Square roots, correctly rounded, of each lane: the one operation the
// vector extensions do not spell.
inline Lanes<2>::Real Sqrt(Lanes<2>::Real value)
{
    return _mm_sqrt_pd(value);
}

[[gnu::target("avx2")]] inline Lanes<4>::Real Sqrt(Lanes<4>::Real value)
{
    return _mm256_sqrt_pd(value);
}

// The colour rule, operation for operation as ElevationColor, for Width
// points at a time. The depth fraction of the sea, (seaLevel - r) / span, is
// exactly -t, so 255 - 100 * depth is exactly 100 * t + 255. Returns false
// when some point of the run lies outside the exact range.
template<int Width>
[[gnu::always_inline]] inline bool PixelRun(GlobePoint const* points, std::size_t count, double seaLevel,
    double span, std::uint32_t* pixels)
{
    using Real = typename Lanes<Width>::Real;
    using Mask = typename Lanes<Width>::Mask;
    using Single = typename Lanes<Width>::Single;
    using Int = typename Lanes<Width>::Int;
    Mask allInRange = Mask {} == 0;
    for (std::size_t i = 0; i + Width <= count; i += Width) {
        Real x, y, z;
        for (int lane = 0; lane < Width; ++lane) {
            x[lane] = points[i + lane].x;
            y[lane] = points[i + lane].y;
            z[lane] = points[i + lane].z;
        }
        Real const h = Sqrt(x * x + y * y);
        Real const radius = Sqrt(h * h + z * z);
        Mask const fitsSingle = radius <= FLT_MAX;
        Real const r = __builtin_convertvector(
            __builtin_convertvector(fitsSingle ? radius : Real {}, Single), Real);

        Real const fraction = (r - seaLevel) / span;
        Mask const inRange = fitsSingle & (fraction > -EXACT_FRACTION) & (fraction < EXACT_FRACTION);
        allInRange &= inRange;
        Real const t = inRange ? fraction : Real {};
        Mask const land = r >= seaLevel;
        Real const p = t * 255.0;
        Mask const peak = p > PEAK_THRESHOLD;

        Real const peakRed = __builtin_convertvector(__builtin_convertvector(p, Single), Real);
        Real const landRed = 220.0 * t + 34.0;
        Real const landGreen = 85.0 * t + 171.0;
        Real const landBlue = 75.0 * t + 65.0;
        Real const seaBlue = t * 100.0 + 255.0;
        Real const nearWhite = Real {} + 254.0;
        Real const red = land ? (peak ? peakRed : landRed) : Real {};
        Real const green = land ? (peak ? nearWhite : landGreen) : Real {};
        Real const blue = land ? (peak ? nearWhite : landBlue) : seaBlue;
        // Each channel's low byte, truncated toward zero.
        Int const redByte = __builtin_convertvector(red, Int) & 0xFF;
        Int const greenByte = __builtin_convertvector(green, Int) & 0xFF;
        Int const blueByte = __builtin_convertvector(blue, Int) & 0xFF;
        Int const packed = redByte << 16 | greenByte << 8 | blueByte;
        std::memcpy(pixels + i, &packed, sizeof packed);
    }
    for (int lane = 0; lane < Width; ++lane) {
        if (!allInRange[lane])
            return false;
    }
    return true;
}

void ScalarPixels(GlobePoint const* points, std::size_t count, float meanRadius, float maxRadius,
    std::uint32_t* pixels)
{
    for (std::size_t i = 0; i < count; ++i)
        pixels[i] = PixelOfColor(ElevationColor(RoundToSingle(PointRadius(points[i])), meanRadius, maxRadius));
}

using RunKernel = bool (*)(GlobePoint const*, std::size_t, double, double, std::uint32_t*);

// The points in runs of RUN, each run's whole vectors of Width by Run and
// the rest, or the whole run where a vector left the exact range, by the
// rule itself.
template<std::size_t Width, RunKernel Run>
void PixelsInRuns(GlobePoint const* points, std::size_t count, float meanRadius, float maxRadius,
    std::uint32_t* pixels)
{
    double const seaLevel = SeaLevel(meanRadius, maxRadius);
    double const span = static_cast<double>(maxRadius) - seaLevel;
    for (std::size_t first = 0; first < count; first += RUN) {
        std::size_t const length = std::min(RUN, count - first);
        std::size_t const whole = length - length % Width;
        if (Run(points + first, whole, seaLevel, span, pixels + first))
            ScalarPixels(points + first + whole, length - whole, meanRadius, maxRadius, pixels + first + whole);
        else
            ScalarPixels(points + first, length, meanRadius, maxRadius, pixels + first);
    }
}

bool Sse2Run(GlobePoint const* points, std::size_t count, double seaLevel, double span, std::uint32_t* pixels)
{
    return PixelRun<2>(points, count, seaLevel, span, pixels);
}

[[gnu::target("avx2")]] bool Avx2Run(
    GlobePoint const* points, std::size_t count, double seaLevel, double span, std::uint32_t* pixels)
{
    return PixelRun<4>(points, count, seaLevel, span, pixels);
}

using PixelsKernel = void (*)(GlobePoint const*, std::size_t, float, float, std::uint32_t*);

constexpr KernelTable<PixelsKernel> PIXELS_KERNELS { {
    ScalarPixels,
    PixelsInRuns<2, Sse2Run>,
    PixelsInRuns<4, Avx2Run>,
    PixelsInRuns<elevation_pixels::AVX512_WIDTH, elevation_pixels::PixelRunAvx512>,
} };

}

void ElevationPixels(GlobePoint const* points, std::size_t count, float meanRadius, float maxRadius,
    std::uint32_t* pixels)
{
    PIXELS_KERNELS.ForMachine()(points, count, meanRadius, maxRadius, pixels);
}

void ElevationPixels(KernelLevel level, GlobePoint const* points, std::size_t count, float meanRadius,
    float maxRadius, std::uint32_t* pixels)
{
    PIXELS_KERNELS.At(level)(points, count, meanRadius, maxRadius, pixels);
}
