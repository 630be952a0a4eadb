#include "render/elevation_pixels.h"

#include "render/elevation_color.h"
#include "render/float_conversion.h"
#include "render/pixel_target.h"

#include <algorithm>
#include <cfloat>
#include <cmath>

namespace {

constexpr std::size_t RUN = 256;

// Within this land or depth fraction every product, sum and rounding below
// stays far inside the int range, where truncating to 32 bits keeps the same
// low byte as truncating to 64.
constexpr double EXACT_FRACTION = 1048576.0;

std::uint32_t Channel(double value)
{
    return static_cast<std::uint32_t>(static_cast<std::int32_t>(value)) & 0xFF;
}

// One run of at most RUN points. `exact[i]` is cleared for the points left
// to the scalar rule.
void PixelRun(GlobePoint const* points, std::size_t count, double seaLevel, double span, std::uint32_t* pixels,
    std::uint8_t* exact)
{
    for (std::size_t i = 0; i < count; ++i) {
        double const x = points[i].x;
        double const y = points[i].y;
        double const z = points[i].z;
        double const h = std::sqrt(x * x + y * y);
        double const radius = std::sqrt(h * h + z * z);
        bool const fitsSingle = radius <= FLT_MAX;
        double const r = static_cast<float>(fitsSingle ? radius : 0.0);

        // The depth fraction of the sea, (seaLevel - r) / span, is exactly
        // -t, so 255 - 100 * depth is exactly 100 * t + 255.
        double const fraction = (r - seaLevel) / span;
        bool const inRange = fitsSingle && fraction > -EXACT_FRACTION && fraction < EXACT_FRACTION;
        double const t = inRange ? fraction : 0.0;
        bool const land = r >= seaLevel;
        double const p = t * 255.0;
        bool const peak = p > 253.0;

        double const peakRed = static_cast<float>(p);
        double const red = land ? (peak ? peakRed : 220.0 * t + 34.0) : 0.0;
        double const green = land ? (peak ? 254.0 : 85.0 * t + 171.0) : 0.0;
        double const blue = land ? (peak ? 254.0 : 75.0 * t + 65.0) : t * 100.0 + 255.0;
        pixels[i] = Channel(red) << 16 | Channel(green) << 8 | Channel(blue);
        exact[i] = inRange;
    }
}

}

void ElevationPixels(GlobePoint const* points, std::size_t count, float meanRadius, float maxRadius,
    std::uint32_t* pixels)
{
    double const mean = meanRadius;
    double const max = maxRadius;
    double const seaLevel = mean + (max - mean) * 0.1;
    double const span = max - seaLevel;
    std::uint8_t exact[RUN];
    for (std::size_t first = 0; first < count; first += RUN) {
        std::size_t const length = std::min(RUN, count - first);
        PixelRun(points + first, length, seaLevel, span, pixels + first, exact);
        if (std::all_of(exact, exact + length, [](std::uint8_t e) { return e != 0; }))
            continue;
        for (std::size_t i = 0; i < length; ++i) {
            if (!exact[i])
                pixels[first + i]
                    = PixelOfColor(ElevationColor(RoundToSingle(PointRadius(points[first + i])), meanRadius, maxRadius));
        }
    }
}
