#include "render/elevation_pixels.h"

#include "globe/point_lanes.h"
#include "render/elevation_color.h"
#include "render/elevation_rule.h"
#include "render/kernel_table.h"
#include "render/pixel_target.h"

#include <algorithm>
#include <cfloat>
#include <cstring>

// The vector forms below are only ever called from functions compiled for
// their instruction set, inside this file: their vector arguments never
// cross an ABI boundary.
#pragma GCC diagnostic ignored "-Wpsabi"

namespace {

constexpr std::size_t RUN = 256;

// Within this land or depth fraction every product, sum and rounding of the
// rule stays far inside the int range, where truncating to 32 bits keeps the
// same low byte as truncating to 64.
constexpr double EXACT_FRACTION = 1048576.0;

// The pixels of one group of Width points by the colour rule, and lanes
// that are not zero where a point's values leave the exact range. (Each
// comparison feeds a selection of its own: GCC 12 works out masks combined
// by & lane by lane at AVX-512.)
template<int Width>
[[gnu::always_inline]] inline typename simd::Lanes<Width>::Double PixelGroup(PointLanes<Width> const& p, double seaLevel, double span,
    std::uint32_t* pixels)
{
    using Double = typename simd::Lanes<Width>::Double;
    using Int = typename simd::Lanes<Width>::Int;
    using simd::Narrow;
    using simd::TruncateToInt;
    using simd::Widen;
    Double const radius = RadiusOf(Widen(p.x), Widen(p.y), Widen(p.z));
    auto const fitsSingle = radius <= static_cast<double>(FLT_MAX);
    Double const r = Widen(Narrow(fitsSingle ? radius : Double {}));
    Double const fraction = (r - seaLevel) / span;
    Double const none = Double {};
    Double const flaw = (fitsSingle ? none : none + 1.0) + (fraction > -EXACT_FRACTION ? none : none + 1.0)
        + (fraction < EXACT_FRACTION ? none : none + 1.0);
    ElevationChannels<Double> const c = ElevationChannelsOf(r, seaLevel, span);
    // Each channel's low byte, truncated toward zero.
    Int const packed = (TruncateToInt(c.red) & 0xFF) << 16 | (TruncateToInt(c.green) & 0xFF) << 8
        | (TruncateToInt(c.blue) & 0xFF);
    std::memcpy(pixels, &packed, sizeof packed);
    return flaw;
}

// The pixels of `count` points, a multiple of twice Width, two groups at a
// time. Returns false when some point leaves the exact range.
template<int Width>
[[gnu::always_inline]] inline bool PixelRun(GlobePoint const* points, std::size_t count, double seaLevel,
    double span, std::uint32_t* pixels)
{
    typename simd::Lanes<Width>::Double flaws {};
    for (std::size_t i = 0; i < count; i += 2 * Width) {
        PointLanes<Width> low;
        PointLanes<Width> high;
        LoadTwoGroups(points + i, low, high);
        flaws += PixelGroup(low, seaLevel, span, pixels + i);
        flaws += PixelGroup(high, seaLevel, span, pixels + i + Width);
    }
    for (int lane = 0; lane < Width; ++lane) {
        if (flaws[lane] != 0.0)
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

// The points in runs of RUN, each run's pairs of groups of Width by Run and
// the rest, or the whole run where a group left the exact range, by the rule
// itself.
template<std::size_t Width, RunKernel Run>
void PixelsInRuns(GlobePoint const* points, std::size_t count, float meanRadius, float maxRadius,
    std::uint32_t* pixels)
{
    double const seaLevel = SeaLevel(meanRadius, maxRadius);
    double const span = static_cast<double>(maxRadius) - seaLevel;
    for (std::size_t first = 0; first < count; first += RUN) {
        std::size_t const length = std::min(RUN, count - first);
        std::size_t const whole = length - length % (2 * Width);
        if (Run(points + first, whole, seaLevel, span, pixels + first))
            ScalarPixels(points + first + whole, length - whole, meanRadius, maxRadius, pixels + first + whole);
        else
            ScalarPixels(points + first, length, meanRadius, maxRadius, pixels + first);
    }
}

[[gnu::target("sse2")]] bool Sse2Run(GlobePoint const* points, std::size_t count, double seaLevel, double span,
    std::uint32_t* pixels)
{
    return PixelRun<2>(points, count, seaLevel, span, pixels);
}

[[gnu::target("avx2")]] bool Avx2Run(GlobePoint const* points, std::size_t count, double seaLevel, double span,
    std::uint32_t* pixels)
{
    return PixelRun<4>(points, count, seaLevel, span, pixels);
}

[[gnu::target("avx512f")]] bool Avx512Run(GlobePoint const* points, std::size_t count, double seaLevel,
    double span, std::uint32_t* pixels)
{
    return PixelRun<8>(points, count, seaLevel, span, pixels);
}

using PixelsKernel = void (*)(GlobePoint const*, std::size_t, float, float, std::uint32_t*);

constexpr KernelTable<PixelsKernel> PIXELS_KERNELS { {
    ScalarPixels,
    PixelsInRuns<2, Sse2Run>,
    PixelsInRuns<4, Avx2Run>,
    PixelsInRuns<8, Avx512Run>,
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
