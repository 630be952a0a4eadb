// Clipping of a Bresenham walk to a rectangle without changing which pixels
// it visits: the clipped end points are the first and last pixels of the
// unclipped walk that lie inside. Both line drawing and the source-pixel
// stepping of StretchBlt use it, with their own error bias.
#pragma once

#include <cstdint>

namespace winapi::gdi {

struct Point64 {
    std::int64_t x;
    std::int64_t y;
    bool operator==(Point64 const&) const = default;
};

struct Rect64 {
    std::int64_t left;
    std::int64_t top;
    std::int64_t right;
    std::int64_t bottom;

    bool IsEmpty() const { return left >= right || top >= bottom; }
    std::int64_t Width() const { return right - left; }
    std::int64_t Height() const { return bottom - top; }
};

inline Rect64 Intersect(Rect64 const& a, Rect64 const& b)
{
    return { a.left > b.left ? a.left : b.left, a.top > b.top ? a.top : b.top,
        a.right < b.right ? a.right : b.right, a.bottom < b.bottom ? a.bottom : b.bottom };
}

// Octants, numbered clockwise from +x (with y growing downwards) as bits
// 1 << (octant - 1).
namespace octant {
constexpr std::uint32_t XMajorMask = 0x99;
constexpr std::uint32_t PositiveSlopeMask = 0x33;
constexpr std::uint32_t XIncreasingMask = 0xc3;
constexpr std::uint32_t YIncreasingMask = 0x0f;
}

struct BresenhamWalk {
    std::int64_t dx; // |x extent|
    std::int64_t dy; // |y extent|
    std::uint32_t octant;
    std::int64_t bias;

    bool XMajor() const { return octant & octant::XMajorMask; }
    bool PositiveSlope() const { return octant & octant::PositiveSlopeMask; }
};

enum class ClipResult {
    Outside,
    Clipped,
    Unclipped,
};

// Clips the walk from `start` to `end` (both treated as pixels of the walk)
// to `clip` (right and bottom exclusive). On success *clippedStart and
// *clippedEnd are the first and last pixels inside.
ClipResult ClipBresenham(Point64 start, Point64 end, Rect64 const& clip, BresenhamWalk const& walk,
    Point64* clippedStart, Point64* clippedEnd);

} // namespace winapi::gdi
