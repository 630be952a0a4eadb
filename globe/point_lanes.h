// Runs of interleaved GlobePoints as lanes: `Width` points' x, y and z in
// three vectors, lane k holding point k. Loads and stores move whole
// vectors and sort the coordinates with two shuffles each.
#pragma once

#include "globe/globe_point.h"
#include "simd/lanes.h"

#include <cstring>
#include <utility>

// Lanes wider than the caller's registers pass by value only through these
// always-inlined templates, never across a call.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wpsabi"

template<int Width>
struct PointLanes {
    using Single = typename simd::Lanes<Width>::Single;
    Single x;
    Single y;
    Single z;
};

namespace point_lanes_detail {

// Coordinate `Axis` of the points whose floats fill a, b and c in order.
template<int Width, int Axis, int... Lane>
[[gnu::always_inline]] inline typename simd::Lanes<Width>::Single GatherAxis(typename simd::Lanes<Width>::Single a,
    typename simd::Lanes<Width>::Single b, typename simd::Lanes<Width>::Single c, std::integer_sequence<int, Lane...>)
{
    auto const fromAB = __builtin_shufflevector(a, b, (3 * Lane + Axis < 2 * Width ? 3 * Lane + Axis : 0)...);
    return __builtin_shufflevector(fromAB, c,
        (3 * Lane + Axis < 2 * Width ? Lane : Width + 3 * Lane + Axis - 2 * Width)...);
}

// The `Part`th vector of floats of the interleaved points.
template<int Width, int Part, int... Lane>
[[gnu::always_inline]] inline typename simd::Lanes<Width>::Single InterleavePart(PointLanes<Width> const& v,
    std::integer_sequence<int, Lane...>)
{
    constexpr int first = Part * Width;
    auto const fromXY = __builtin_shufflevector(v.x, v.y,
        ((first + Lane) % 3 == 0 ? (first + Lane) / 3 : (first + Lane) % 3 == 1 ? Width + (first + Lane) / 3 : 0)...);
    return __builtin_shufflevector(fromXY, v.z,
        ((first + Lane) % 3 == 2 ? Width + (first + Lane) / 3 : Lane)...);
}

// The lower (Which 0) or upper half of twice Width lanes.
template<int Width, int Which, int... Lane>
[[gnu::always_inline]] inline typename simd::Lanes<Width>::Single Half(typename simd::Lanes<2 * Width>::Single both,
    std::integer_sequence<int, Lane...>)
{
    return __builtin_shufflevector(both, both, (Which * Width + Lane)...);
}

}

template<int Width>
[[gnu::always_inline]] inline PointLanes<Width> LoadPoints(GlobePoint const* points)
{
    using Single = typename simd::Lanes<Width>::Single;
    Single a;
    Single b;
    Single c;
    auto const* floats = reinterpret_cast<unsigned char const*>(points);
    std::memcpy(&a, floats, sizeof a);
    std::memcpy(&b, floats + sizeof a, sizeof b);
    std::memcpy(&c, floats + 2 * sizeof a, sizeof c);
    auto const lanes = std::make_integer_sequence<int, Width>();
    using namespace point_lanes_detail;
    return { GatherAxis<Width, 0>(a, b, c, lanes), GatherAxis<Width, 1>(a, b, c, lanes),
        GatherAxis<Width, 2>(a, b, c, lanes) };
}

// Two groups of Width points at once, sorted in vectors twice as wide: fewer
// shuffles a point than one group at a time.
template<int Width>
[[gnu::always_inline]] inline void LoadTwoGroups(GlobePoint const* points, PointLanes<Width>& low,
    PointLanes<Width>& high)
{
    PointLanes<2 * Width> const both = LoadPoints<2 * Width>(points);
    auto const lanes = std::make_integer_sequence<int, Width>();
    using namespace point_lanes_detail;
    low = { Half<Width, 0>(both.x, lanes), Half<Width, 0>(both.y, lanes), Half<Width, 0>(both.z, lanes) };
    high = { Half<Width, 1>(both.x, lanes), Half<Width, 1>(both.y, lanes), Half<Width, 1>(both.z, lanes) };
}

template<int Width>
[[gnu::always_inline]] inline void StorePoints(GlobePoint* points, PointLanes<Width> const& v)
{
    auto const lanes = std::make_integer_sequence<int, Width>();
    using namespace point_lanes_detail;
    auto const a = InterleavePart<Width, 0>(v, lanes);
    auto const b = InterleavePart<Width, 1>(v, lanes);
    auto const c = InterleavePart<Width, 2>(v, lanes);
    auto* floats = reinterpret_cast<unsigned char*>(points);
    std::memcpy(floats, &a, sizeof a);
    std::memcpy(floats + sizeof a, &b, sizeof b);
    std::memcpy(floats + 2 * sizeof a, &c, sizeof c);
}

#pragma GCC diagnostic pop
