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

// The pixels of one group of Width radii by the colour rule, and lanes that
// are not zero where a radius's values leave the exact range. (Each
// comparison feeds a selection of its own: GCC 12 works out masks combined
// by & lane by lane at AVX-512.)
template<int Width>
[[gnu::always_inline]] inline typename simd::Lanes<Width>::Double PixelGroup(
    typename simd::Lanes<Width>::Double radius, double seaLevel, double span, std::uint32_t* pixels)
{
    using Double = typename simd::Lanes<Width>::Double;
    using Int = typename simd::Lanes<Width>::Int;
    using simd::Narrow;
    using simd::TruncateToInt;
    using simd::Widen;
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

// The radii of two groups of Width points, or two groups of Width radii.
template<int Width>
[[gnu::always_inline]] inline void LoadRadii(GlobePoint const* points, typename simd::Lanes<Width>::Double& low,
    typename simd::Lanes<Width>::Double& high)
{
    using simd::Widen;
    PointLanes<Width> lowPoints;
    PointLanes<Width> highPoints;
    LoadTwoGroups(points, lowPoints, highPoints);
    low = RadiusOf(Widen(lowPoints.x), Widen(lowPoints.y), Widen(lowPoints.z));
    high = RadiusOf(Widen(highPoints.x), Widen(highPoints.y), Widen(highPoints.z));
}

template<int Width>
[[gnu::always_inline]] inline void LoadRadii(double const* radii, typename simd::Lanes<Width>::Double& low,
    typename simd::Lanes<Width>::Double& high)
{
    std::memcpy(&low, radii, sizeof low);
    std::memcpy(&high, radii + Width, sizeof high);
}

// The pixels of `count` items (points or radii), a multiple of twice Width,
// two groups at a time. Returns false when some item leaves the exact range.
template<int Width, typename Item>
[[gnu::always_inline]] inline bool PixelRun(Item const* items, std::size_t count, double seaLevel, double span,
    std::uint32_t* pixels)
{
    using Double = typename simd::Lanes<Width>::Double;
    Double flaws {};
    for (std::size_t i = 0; i < count; i += 2 * Width) {
        Double low;
        Double high;
        LoadRadii<Width>(items + i, low, high);
        flaws += PixelGroup<Width>(low, seaLevel, span, pixels + i);
        flaws += PixelGroup<Width>(high, seaLevel, span, pixels + i + Width);
    }
    for (int lane = 0; lane < Width; ++lane) {
        if (flaws[lane] != 0.0)
            return false;
    }
    return true;
}

double RadiusOfItem(GlobePoint const& point)
{
    return PointRadius(point);
}

double RadiusOfItem(double radius)
{
    return radius;
}

template<typename Item>
void ScalarPixels(Item const* items, std::size_t count, float meanRadius, float maxRadius, std::uint32_t* pixels)
{
    for (std::size_t i = 0; i < count; ++i)
        pixels[i] = PixelOfColor(ElevationColor(RoundToSingle(RadiusOfItem(items[i])), meanRadius, maxRadius));
}

template<typename Item>
using RunKernel = bool (*)(Item const*, std::size_t, double, double, std::uint32_t*);

// The items in runs of RUN, each run's pairs of groups of Width by Run and
// the rest, or the whole run where a group left the exact range, by the rule
// itself.
template<std::size_t Width, typename Item, RunKernel<Item> Run>
void PixelsInRuns(Item const* items, std::size_t count, float meanRadius, float maxRadius, std::uint32_t* pixels)
{
    double const seaLevel = SeaLevel(meanRadius, maxRadius);
    double const span = static_cast<double>(maxRadius) - seaLevel;
    for (std::size_t first = 0; first < count; first += RUN) {
        std::size_t const length = std::min(RUN, count - first);
        std::size_t const whole = length - length % (2 * Width);
        if (Run(items + first, whole, seaLevel, span, pixels + first))
            ScalarPixels(items + first + whole, length - whole, meanRadius, maxRadius, pixels + first + whole);
        else
            ScalarPixels(items + first, length, meanRadius, maxRadius, pixels + first);
    }
}

template<typename Item>
[[gnu::target("sse2")]] bool Sse2Run(Item const* items, std::size_t count, double seaLevel, double span,
    std::uint32_t* pixels)
{
    return PixelRun<2>(items, count, seaLevel, span, pixels);
}

template<typename Item>
[[gnu::target("avx2")]] bool Avx2Run(Item const* items, std::size_t count, double seaLevel, double span,
    std::uint32_t* pixels)
{
    return PixelRun<4>(items, count, seaLevel, span, pixels);
}

template<typename Item>
[[gnu::target("avx512f")]] bool Avx512Run(Item const* items, std::size_t count, double seaLevel, double span,
    std::uint32_t* pixels)
{
    return PixelRun<8>(items, count, seaLevel, span, pixels);
}

template<typename Item>
using PixelsKernel = void (*)(Item const*, std::size_t, float, float, std::uint32_t*);

template<typename Item>
constexpr KernelTable<PixelsKernel<Item>> PIXELS_KERNELS { {
    ScalarPixels<Item>,
    PixelsInRuns<2, Item, Sse2Run<Item>>,
    PixelsInRuns<4, Item, Avx2Run<Item>>,
    PixelsInRuns<8, Item, Avx512Run<Item>>,
} };

}

void ElevationPixels(GlobePoint const* points, std::size_t count, float meanRadius, float maxRadius,
    std::uint32_t* pixels)
{
    PIXELS_KERNELS<GlobePoint>.ForMachine()(points, count, meanRadius, maxRadius, pixels);
}

void ElevationPixels(KernelLevel level, GlobePoint const* points, std::size_t count, float meanRadius,
    float maxRadius, std::uint32_t* pixels)
{
    PIXELS_KERNELS<GlobePoint>.At(level)(points, count, meanRadius, maxRadius, pixels);
}

void ElevationPixelsOfRadii(double const* radii, std::size_t count, float meanRadius, float maxRadius,
    std::uint32_t* pixels)
{
    PIXELS_KERNELS<double>.ForMachine()(radii, count, meanRadius, maxRadius, pixels);
}

void ElevationPixelsOfRadii(KernelLevel level, double const* radii, std::size_t count, float meanRadius,
    float maxRadius, std::uint32_t* pixels)
{
    PIXELS_KERNELS<double>.At(level)(radii, count, meanRadius, maxRadius, pixels);
}
