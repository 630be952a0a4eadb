#include "globe/radius_statistics.h"

#include "globe/point_lanes.h"

#include <algorithm>
#include <cstring>

// The vector forms below are only ever called inside this file, from
// functions compiled for their instruction set: their vector arguments never
// cross an ABI boundary.
#pragma GCC diagnostic ignored "-Wpsabi"

namespace {

using RadiiKernel = RadiusStatistics (*)(GlobePoint const* points, std::size_t count, KeptPerPoint const& kept);

// Notes, run after run in element order, which sides of the plane z = 0
// each row reaches.
class RowSideMarker {
public:
    RowSideMarker(KeptPerPoint const& kept, std::size_t first)
        : m_sides(kept.rowSides)
    {
        if (m_sides) {
            m_length = kept.rowLength;
            m_row = first / m_length;
            m_at = first;
            m_rowEnd = (m_row + 1) * m_length;
        }
    }

    // The next `count` (at most 16) points: bit k of `below` set for a z
    // below 0 of the kth, of `above` for a z above 0.
    void Mark(unsigned below, unsigned above, int count)
    {
        if (!m_sides)
            return;
        int lane = 0;
        while (lane < count) {
            int const inRow = static_cast<int>(std::min<std::size_t>(m_rowEnd - m_at, count - lane));
            unsigned const lanes = ((1u << inRow) - 1u) << lane;
            m_sides[m_row] |= (below & lanes) != 0 ? ROW_REACHES_BELOW : 0;
            m_sides[m_row] |= (above & lanes) != 0 ? ROW_REACHES_ABOVE : 0;
            lane += inRow;
            m_at += inRow;
            if (m_at == m_rowEnd) {
                ++m_row;
                m_rowEnd += m_length;
            }
        }
    }

private:
    std::uint8_t* m_sides;
    std::size_t m_length = 0;
    std::size_t m_row = 0;
    std::size_t m_at = 0;
    std::size_t m_rowEnd = 0;
};

// The next element's radius, in element order.
void AddRadius(RadiusStatistics& statistics, double radius)
{
    if (radius > statistics.maxRadius)
        statistics.maxRadius = radius;
    statistics.sum += radius;
}

// Adds the radii of points [first, count) one by one, keeping what is asked.
RadiusStatistics AddRadii(RadiusStatistics statistics, GlobePoint const* points, std::size_t first, std::size_t count,
    KeptPerPoint const& kept)
{
    RowSideMarker sides(kept, first);
    for (std::size_t i = first; i < count; ++i) {
        double const radius = PointRadius(points[i]);
        AddRadius(statistics, radius);
        if (kept.radii)
            kept.radii[i] = radius;
        sides.Mark(points[i].z < 0, points[i].z > 0, 1);
    }
    return statistics;
}

RadiusStatistics MeasureRadiiPortable(GlobePoint const* points, std::size_t count, KeptPerPoint const& kept)
{
    return AddRadii({ PointRadius(points[0]), 0.0 }, points, 0, count, kept);
}

#ifdef MORVA_SIMD_X86

// The lanes' radii: the largest kept lane by lane, each added to the sum in
// order.
template<int Width>
[[gnu::always_inline]] inline void AddRadiusLanes(PointLanes<Width> const& p,
    typename simd::Lanes<Width>::Double& largest, double& sum, double* kept)
{
    using simd::Widen;
    auto const radii = RadiusOf(Widen(p.x), Widen(p.y), Widen(p.z));
    largest = radii > largest ? radii : largest;
    for (int k = 0; k < Width; ++k)
        sum += radii[k];
    if (kept)
        std::memcpy(kept, &radii, sizeof radii);
}

// Bit k set for a set lane k.
template<int Width>
[[gnu::always_inline]] inline unsigned LaneBits(typename simd::Lanes<Width>::Int set)
{
    if constexpr (Width == 4) {
        return simd::SetLaneBits(set);
    } else {
        unsigned bits = 0;
        for (int k = 0; k < Width; ++k)
            bits |= (static_cast<unsigned>(set[k]) & 1u) << k;
        return bits;
    }
}

template<int Width>
[[gnu::always_inline]] inline RadiusStatistics MeasureRadiiLanes(GlobePoint const* points, std::size_t count,
    KeptPerPoint const& kept)
{
    double* const radii = kept.radii;
    RowSideMarker sides(kept, 0);
    using Double = typename simd::Lanes<Width>::Double;
    using simd::Widen;
    double sum = 0.0;
    Double largest = Double {} + PointRadius(points[0]);
    std::size_t i = 0;
    for (; i + 2 * Width <= count; i += 2 * Width) {
        PointLanes<Width> low;
        PointLanes<Width> high;
        LoadTwoGroups(points + i, low, high);
        AddRadiusLanes(low, largest, sum, radii ? radii + i : nullptr);
        AddRadiusLanes(high, largest, sum, radii ? radii + i + Width : nullptr);
        sides.Mark(LaneBits<Width>(low.z < 0) | LaneBits<Width>(high.z < 0) << Width,
            LaneBits<Width>(low.z > 0) | LaneBits<Width>(high.z > 0) << Width, 2 * Width);
    }
    // Radii are never NaN, and equal radii are the same double, so the
    // largest lane is the value the strict comparisons in order would keep.
    RadiusStatistics statistics { largest[0], sum };
    for (int k = 1; k < Width; ++k)
        statistics.maxRadius = largest[k] > statistics.maxRadius ? largest[k] : statistics.maxRadius;
    return AddRadii(statistics, points, i, count, kept);
}

[[gnu::target("sse2")]] RadiusStatistics MeasureRadiiSse2(
    GlobePoint const* points, std::size_t count, KeptPerPoint const& kept)
{
    return MeasureRadiiLanes<2>(points, count, kept);
}

[[gnu::target("avx2")]] RadiusStatistics MeasureRadiiAvx2(
    GlobePoint const* points, std::size_t count, KeptPerPoint const& kept)
{
    return MeasureRadiiLanes<4>(points, count, kept);
}

// Indexed by KernelLevel. Eight lanes of AVX-512 measure no faster than
// four of AVX2 (the square roots and the one chain of sums set the pace), so
// the AVX-512 level takes the AVX2 form.
RadiiKernel const LEVELS[KERNEL_LEVEL_COUNT] = { MeasureRadiiPortable, MeasureRadiiSse2, MeasureRadiiAvx2,
    MeasureRadiiAvx2 };

#else

RadiiKernel const LEVELS[KERNEL_LEVEL_COUNT] = { MeasureRadiiPortable, MeasureRadiiPortable, MeasureRadiiPortable,
    MeasureRadiiPortable };

#endif

}

RadiusStatistics MeasureRadii(GlobePoint const* points, std::size_t count, KernelLevel level)
{
    return LEVELS[static_cast<int>(RunnableLevel(level))](points, count, KeptPerPoint { nullptr, nullptr, 0 });
}

RadiusStatistics MeasureAndKeepRadii(
    GlobePoint const* points, std::size_t count, KeptPerPoint const& kept, KernelLevel level)
{
    if (kept.rowSides)
        std::fill_n(kept.rowSides, (count + kept.rowLength - 1) / kept.rowLength, 0);
    return LEVELS[static_cast<int>(RunnableLevel(level))](points, count, kept);
}
