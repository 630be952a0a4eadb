#include "bresenham_clip.h"

namespace winapi::gdi {

namespace {

enum Outcode : std::uint32_t {
    OutLeft = 1,
    OutRight = 2,
    OutTop = 4,
    OutBottom = 8,
};

std::uint32_t OutcodeOf(Point64 point, Rect64 const& clip)
{
    std::uint32_t code = 0;
    if (point.x < clip.left)
        code |= OutLeft;
    else if (point.x >= clip.right)
        code |= OutRight;
    if (point.y < clip.top)
        code |= OutTop;
    else if (point.y >= clip.bottom)
        code |= OutBottom;
    return code;
}

using Wide = __int128;

// Truncating division, as the walk's equations are written for it.
std::int64_t Divide(Wide numerator, Wide denominator) { return static_cast<std::int64_t>(numerator / denominator); }

} // namespace

// The error term of the walk satisfies, for an x-major walk,
//   2dy >= err + bias > 2dy - 2dx,
// which fixes, for a step of m pixels along x from the start, the number n of
// steps along y (and the other way round), and likewise from the end:
//   start, x-major: n = ceil((2m dy + bias - dx) / 2dx)   m = (2n dx - bias - dx) / 2dy + 1
//   end,   x-major: n = (2m dy - bias + dx) / 2dx         m = ceil((2n dx + bias - dx) / 2dy)
// and symmetrically for y-major walks.
ClipResult ClipBresenham(Point64 start, Point64 end, Rect64 const& clip, BresenhamWalk const& walk,
    Point64* clippedStart, Point64* clippedEnd)
{
    Wide const bias = walk.bias;
    Wide const dx = walk.dx;
    Wide const dy = walk.dy;
    Wide const twoDx = 2 * dx;
    Wide const twoDy = 2 * dy;
    bool const xMajor = walk.XMajor();
    bool const negativeSlope = !walk.PositiveSlope();

    *clippedStart = start;
    *clippedEnd = end;
    std::uint32_t startCode = OutcodeOf(start, clip);
    std::uint32_t endCode = OutcodeOf(end, clip);
    bool clipped = false;

    for (;;) {
        if (startCode == 0 && endCode == 0)
            return clipped ? ClipResult::Clipped : ClipResult::Unclipped;
        if (startCode & endCode)
            return ClipResult::Outside;
        // A walk that needs a division by a zero extent never reaches here
        // for lines (those are straight) nor for stretches (both extents are
        // non-zero); refuse it rather than divide by zero.
        if (twoDx == 0 || twoDy == 0)
            return ClipResult::Outside;
        clipped = true;

        if (startCode & (OutLeft | OutRight)) {
            bool const left = startCode & OutLeft;
            Wide const m = left ? clip.left - start.x : start.x - clip.right + 1;
            std::int64_t n = xMajor ? Divide(m * twoDy + bias + dx - 1, twoDx) : Divide(m * twoDy - bias - dy, twoDx) + 1;
            if (negativeSlope)
                n = -n;
            clippedStart->x = left ? clip.left : clip.right - 1;
            clippedStart->y = left ? start.y + n : start.y - n;
            startCode = OutcodeOf(*clippedStart, clip);
        } else if (startCode & (OutTop | OutBottom)) {
            bool const top = startCode & OutTop;
            Wide const n = top ? clip.top - start.y : start.y - clip.bottom + 1;
            std::int64_t m = xMajor ? Divide(n * twoDx - bias - dx, twoDy) + 1 : Divide(n * twoDx + bias + dy - 1, twoDy);
            if (negativeSlope)
                m = -m;
            clippedStart->y = top ? clip.top : clip.bottom - 1;
            clippedStart->x = top ? start.x + m : start.x - m;
            startCode = OutcodeOf(*clippedStart, clip);
        } else if (endCode & (OutLeft | OutRight)) {
            bool const left = endCode & OutLeft;
            Wide const m = left ? clip.left - end.x : end.x - clip.right + 1;
            std::int64_t n = xMajor ? Divide(m * twoDy - bias + dx, twoDx) : Divide(m * twoDy + bias - dy - 1, twoDx) + 1;
            if (negativeSlope)
                n = -n;
            clippedEnd->x = left ? clip.left : clip.right - 1;
            clippedEnd->y = left ? end.y + n : end.y - n;
            endCode = OutcodeOf(*clippedEnd, clip);
        } else {
            bool const top = endCode & OutTop;
            Wide const n = top ? clip.top - end.y : end.y - clip.bottom + 1;
            std::int64_t m = xMajor ? Divide(n * twoDx + bias - dx - 1, twoDy) + 1 : Divide(n * twoDx - bias + dy, twoDy);
            if (negativeSlope)
                m = -m;
            clippedEnd->y = top ? clip.top : clip.bottom - 1;
            clippedEnd->x = top ? end.x + m : end.x - m;
            endCode = OutcodeOf(*clippedEnd, clip);
        }
    }
}

} // namespace winapi::gdi
