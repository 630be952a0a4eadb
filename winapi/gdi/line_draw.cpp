#include "line_draw.h"

#include "bresenham_clip.h"

#include <algorithm>

namespace winapi::gdi {

namespace {

void FillRect(Surface& surface, Rect64 rect, std::uint32_t pixel, Rop2 rop)
{
    rect = Intersect(rect, { 0, 0, surface.Width(), surface.Height() });
    if (rect.IsEmpty())
        return;
    for (std::int64_t y = rect.top; y < rect.bottom; ++y) {
        std::uint32_t* row = surface.Row(static_cast<int>(y));
        for (std::int64_t x = rect.left; x < rect.right; ++x)
            row[x] = ApplyRop2(rop, pixel, row[x]);
    }
}

// The half-open run [start, end) of a straight line, turned around for a
// line drawn backwards so that it still starts at `start`.
void OrderEndPoints(std::int64_t& start, std::int64_t& end)
{
    if (start > end) {
        std::int64_t const first = end + 1;
        end = start + 1;
        start = first;
    }
}

int OctantNumber(std::int64_t dx, std::int64_t dy)
{
    if (dy > 0) {
        if (dx > 0)
            return dx > dy ? 1 : 2;
        return -dx > dy ? 4 : 3;
    }
    if (dx < 0)
        return -dx > -dy ? 5 : 6;
    return dx > -dy ? 8 : 7;
}

// Very long lines are walked at an eighth of their size, as GDI does.
Point64 CropCoordinates(Point64 point)
{
    constexpr std::int64_t Limit = 0x10000000;
    if (point.x >= Limit || point.x <= -Limit || point.y >= Limit || point.y <= -Limit)
        return { point.x / 8, point.y / 8 };
    return point;
}

void DrawDiagonal(Surface& surface, Point64 start, Point64 end, std::uint32_t pixel, Rop2 rop)
{
    start = CropCoordinates(start);
    end = CropCoordinates(end);
    std::int64_t const dx = end.x - start.x, dy = end.y - start.y;
    BresenhamWalk walk {};
    walk.dx = dx < 0 ? -dx : dx;
    walk.dy = dy < 0 ? -dy : dy;
    walk.octant = 1u << (OctantNumber(dx, dy) - 1);
    walk.bias = (walk.octant & 0xb4) ? 1 : 0; // octants 3, 5, 6 and 8
    bool const xMajor = walk.XMajor();
    int const xInc = (walk.octant & octant::XIncreasingMask) ? 1 : -1;
    int const yInc = (walk.octant & octant::YIncreasingMask) ? 1 : -1;

    Rect64 const bounds { std::min(start.x, end.x), std::min(start.y, end.y), std::max(start.x, end.x) + 1,
        std::max(start.y, end.y) + 1 };
    Rect64 const clip = Intersect(bounds, { 0, 0, surface.Width(), surface.Height() });
    if (clip.IsEmpty())
        return;
    Point64 from {}, to {};
    if (ClipBresenham(start, end, clip, walk, &from, &to) == ClipResult::Outside)
        return;

    std::int64_t const m = from.x > start.x ? from.x - start.x : start.x - from.x;
    std::int64_t const n = from.y > start.y ? from.y - start.y : start.y - from.y;
    std::int64_t err, errAdd1, errAdd2, length;
    if (xMajor) {
        err = 2 * walk.dy - walk.dx + m * 2 * walk.dy - n * 2 * walk.dx;
        errAdd1 = 2 * walk.dy - 2 * walk.dx;
        errAdd2 = 2 * walk.dy;
        length = std::abs(to.x - from.x) + 1;
    } else {
        err = 2 * walk.dx - walk.dy + n * 2 * walk.dx - m * 2 * walk.dy;
        errAdd1 = 2 * walk.dx - 2 * walk.dy;
        errAdd2 = 2 * walk.dx;
        length = std::abs(to.y - from.y) + 1;
    }
    if (to == end)
        --length; // the end point is not drawn

    Point64 point = from;
    for (; length > 0; --length) {
        if (surface.Contains(static_cast<int>(point.x), static_cast<int>(point.y))) {
            std::uint32_t& out = surface.Row(static_cast<int>(point.y))[point.x];
            out = ApplyRop2(rop, pixel, out);
        }
        if (err + walk.bias > 0) {
            (xMajor ? point.y : point.x) += xMajor ? yInc : xInc;
            err += errAdd1;
        } else {
            err += errAdd2;
        }
        (xMajor ? point.x : point.y) += xMajor ? xInc : yInc;
    }
}

} // namespace

void DrawSolidLine(Surface& surface, POINT start, POINT end, std::uint32_t pixel, Rop2 rop)
{
    if (start.y == end.y) {
        std::int64_t left = start.x, right = end.x;
        OrderEndPoints(left, right);
        FillRect(surface, { left, start.y, right, std::int64_t { start.y } + 1 }, pixel, rop);
    } else if (start.x == end.x) {
        std::int64_t top = start.y, bottom = end.y;
        OrderEndPoints(top, bottom);
        FillRect(surface, { start.x, top, std::int64_t { start.x } + 1, bottom }, pixel, rop);
    } else {
        DrawDiagonal(surface, { start.x, start.y }, { end.x, end.y }, pixel, rop);
    }
}

void DrawSolidPolyline(Surface& surface, POINT const* points, int count, bool close, std::uint32_t pixel, Rop2 rop)
{
    for (int i = 0; i + 1 < count; ++i)
        DrawSolidLine(surface, points[i], points[i + 1], pixel, rop);
    if (close && count >= 2)
        DrawSolidLine(surface, points[count - 1], points[0], pixel, rop);
}

} // namespace winapi::gdi
