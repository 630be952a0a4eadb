// Polygon scan conversion under GDI's point-sampling rule.
//
// Pixel (x, y) is sampled at the integer point (x, y). On scanline y every
// non-horizontal edge with min(y0, y1) <= y < max(y0, y1) crosses at its exact
// rational x. Sorted crossings fill the pixels xa <= x < xb between them:
// pairwise for ALTERNATE, where the winding number is non-zero for WINDING.
// A pixel x therefore lies right of a crossing c exactly when ceil(c) <= x,
// so each crossing is kept as the integer ceil(c), computed exactly.
//
// Spans are clipped to a rectangle, [left, right) x [top, bottom), and handed
// to an `emitSpan(y, x0, x1)` callable with x0 < x1, scanline by scanline from
// the top. Coordinates may be anything an int holds. Points are any type with
// integer members x and y (Win32's POINT, for one).
//
// Besides the general scanner there are two fast paths that produce exactly
// the same spans: axis-aligned rectangles, and triangles and quadrilaterals
// whose outline is y-monotone (one falling and one rising chain), where each
// scanline meets exactly two edges.
#pragma once

#include "raster/exact_math.h"

#include <algorithm>
#include <cstdint>
#include <vector>

namespace raster {

// Which pixels between an outline's crossings are inside: every other gap
// (Win32's ALTERNATE), or those of non-zero winding number (WINDING).
enum class FillRule : std::uint8_t {
    Alternate,
    Winding,
};

// The pixels a scan may touch, [left, right) x [top, bottom); empty when
// right <= left or bottom <= top.
struct ScanClip {
    int left;
    int top;
    int right;
    int bottom;

    bool IsEmpty() const { return right <= left || bottom <= top; }
};

struct ScanEdge {
    std::int64_t yTop;    // first scanline the edge counts on
    std::int64_t yBottom; // first scanline it no longer counts on
    std::int64_t xTop;    // x at yTop
    std::int64_t dx;      // x at yBottom minus xTop
    std::int64_t dy;      // yBottom - yTop, > 0
    int winding;          // +1 for an edge going down in polygon order, -1 up

    bool CountsOn(std::int64_t y) const { return yTop <= y && y < yBottom; }

    // ceil of the crossing on scanline y, clamped to [left, right].
    std::int64_t CrossingOn(std::int64_t y, ScanClip clip) const
    {
        std::int64_t const t = y - yTop;
        std::int64_t const x = t == 0 ? xTop : xTop + CeilOfScaledRatio(t, dx, dy);
        return Clamp64(x, clip.left, clip.right);
    }
};

// The edge from a to b, or false for a horizontal one.
template<typename Point>
bool MakeScanEdge(Point a, Point b, ScanEdge& edge)
{
    if (a.y == b.y)
        return false;
    bool const down = a.y < b.y;
    Point const top = down ? a : b;
    Point const bottom = down ? b : a;
    edge.yTop = top.y;
    edge.yBottom = bottom.y;
    edge.xTop = top.x;
    edge.dx = std::int64_t { bottom.x } - top.x;
    edge.dy = std::int64_t { bottom.y } - top.y;
    edge.winding = down ? 1 : -1;
    return true;
}

// ---- Fast path: axis-aligned rectangles ------------------------------------

// Four points tracing a rectangle with axis-parallel sides, in either order.
template<typename Point>
bool IsAxisAlignedRectangle(Point const* points, int count)
{
    if (count != 4)
        return false;
    Point const a = points[0], b = points[1], c = points[2], d = points[3];
    return (a.y == b.y && b.x == c.x && c.y == d.y && d.x == a.x)
        || (a.x == b.x && b.y == c.y && c.x == d.x && d.y == a.y);
}

template<typename Point, typename Emit>
void ScanRectangle(Point const* points, ScanClip clip, Emit&& emitSpan)
{
    Point const a = points[0], c = points[2];
    std::int64_t const x0 = Clamp64(std::min(a.x, c.x), clip.left, clip.right);
    std::int64_t const x1 = Clamp64(std::max(a.x, c.x), clip.left, clip.right);
    std::int64_t const y0 = Clamp64(std::min(a.y, c.y), clip.top, clip.bottom);
    std::int64_t const y1 = Clamp64(std::max(a.y, c.y), clip.top, clip.bottom);
    if (x0 >= x1)
        return;
    for (std::int64_t y = y0; y < y1; ++y)
        emitSpan(static_cast<int>(y), static_cast<int>(x0), static_cast<int>(x1));
}

// True when every point has the same x or every point has the same y: the
// outline encloses no area, so filling it paints nothing.
template<typename Point>
bool IsDegenerateOutline(Point const* points, int count)
{
    bool sameX = true;
    bool sameY = true;
    for (int i = 1; i < count; ++i) {
        sameX &= points[i].x == points[0].x;
        sameY &= points[i].y == points[0].y;
    }
    return sameX || sameY;
}

// ---- Fast path: small y-monotone polygons ----------------------------------

// True for 3 or 4 points whose outline falls and rises only once (counting
// around the closed outline and ignoring horizontal edges).
template<typename Point>
bool IsSmallYMonotone(Point const* points, int count)
{
    if (count != 3 && count != 4)
        return false;
    int signs[4];
    int signCount = 0;
    for (int i = 0; i < count; ++i) {
        auto const from = points[i].y, to = points[i + 1 == count ? 0 : i + 1].y;
        if (from != to)
            signs[signCount++] = from < to ? 1 : -1;
    }
    int changes = 0;
    for (int i = 0; i < signCount; ++i) {
        if (signs[i] != signs[i + 1 == signCount ? 0 : i + 1])
            ++changes;
    }
    return changes <= 2;
}

template<typename Point, typename Emit>
void ScanSmallYMonotone(Point const* points, int count, ScanClip clip, Emit&& emitSpan)
{
    ScanEdge edges[4];
    int edgeCount = 0;
    std::int64_t yMin = INT64_MAX, yMax = INT64_MIN;
    for (int i = 0; i < count; ++i) {
        if (MakeScanEdge(points[i], points[i + 1 == count ? 0 : i + 1], edges[edgeCount])) {
            yMin = std::min(yMin, edges[edgeCount].yTop);
            yMax = std::max(yMax, edges[edgeCount].yBottom);
            ++edgeCount;
        }
    }
    if (edgeCount == 0)
        return;
    std::int64_t const yEnd = std::min<std::int64_t>(yMax, clip.bottom);
    for (std::int64_t y = std::max<std::int64_t>(yMin, clip.top); y < yEnd; ++y) {
        std::int64_t crossings[4];
        int crossingCount = 0;
        for (int i = 0; i < edgeCount; ++i) {
            if (edges[i].CountsOn(y))
                crossings[crossingCount++] = edges[i].CrossingOn(y, clip);
        }
        if (crossingCount != 2)
            continue; // cannot happen for a y-monotone outline
        std::int64_t const x0 = std::min(crossings[0], crossings[1]);
        std::int64_t const x1 = std::max(crossings[0], crossings[1]);
        if (x0 < x1)
            emitSpan(static_cast<int>(y), static_cast<int>(x0), static_cast<int>(x1));
    }
}

// ---- The general scanner ---------------------------------------------------

// Keeps its working storage between polygons, so that filling allocates only
// when a polygon is larger than any before it.
class PolygonScanner {
public:
    template<typename Point, typename Emit>
    void Scan(Point const* points, int count, FillRule rule, ScanClip clip, Emit&& emitSpan)
    {
        CollectEdges(points, count, clip);
        if (m_edges.empty())
            return;
        std::int64_t yEnd = 0;
        for (ScanEdge const& edge : m_edges)
            yEnd = std::max(yEnd, edge.yBottom);
        yEnd = std::min<std::int64_t>(yEnd, clip.bottom);

        std::size_t next = 0;
        m_active.clear();
        std::int64_t y = std::max<std::int64_t>(m_edges.front().yTop, clip.top);
        while (y < yEnd) {
            std::erase_if(m_active, [y](ScanEdge const* edge) { return edge->yBottom <= y; });
            while (next < m_edges.size() && m_edges[next].yTop <= y) {
                if (m_edges[next].yBottom > y)
                    m_active.push_back(&m_edges[next]);
                ++next;
            }
            if (m_active.empty()) {
                if (next == m_edges.size())
                    break;
                y = m_edges[next].yTop;
                continue;
            }
            EmitScanline(y, rule, clip, emitSpan);
            ++y;
        }
    }

private:
    struct Crossing {
        std::int64_t x;
        int winding;
    };

    template<typename Point>
    void CollectEdges(Point const* points, int count, ScanClip clip)
    {
        m_edges.clear();
        for (int i = 0; i < count; ++i) {
            ScanEdge edge;
            if (!MakeScanEdge(points[i], points[i + 1 == count ? 0 : i + 1], edge))
                continue;
            if (edge.yBottom <= clip.top || edge.yTop >= clip.bottom)
                continue;
            m_edges.push_back(edge);
        }
        std::sort(m_edges.begin(), m_edges.end(),
            [](ScanEdge const& a, ScanEdge const& b) { return a.yTop < b.yTop; });
    }

    template<typename Emit>
    void EmitScanline(std::int64_t y, FillRule rule, ScanClip clip, Emit&& emitSpan)
    {
        m_crossings.clear();
        for (ScanEdge const* edge : m_active)
            m_crossings.push_back({ edge->CrossingOn(y, clip), edge->winding });
        std::sort(m_crossings.begin(), m_crossings.end(),
            [](Crossing const& a, Crossing const& b) { return a.x < b.x; });

        int const row = static_cast<int>(y);
        if (rule == FillRule::Winding) {
            int winding = 0;
            std::int64_t spanStart = 0;
            for (Crossing const& crossing : m_crossings) {
                int const before = winding;
                winding += crossing.winding;
                if (before == 0 && winding != 0)
                    spanStart = crossing.x;
                else if (before != 0 && winding == 0 && spanStart < crossing.x)
                    emitSpan(row, static_cast<int>(spanStart), static_cast<int>(crossing.x));
            }
            return;
        }
        for (std::size_t i = 0; i + 1 < m_crossings.size(); i += 2) {
            if (m_crossings[i].x < m_crossings[i + 1].x)
                emitSpan(row, static_cast<int>(m_crossings[i].x), static_cast<int>(m_crossings[i + 1].x));
        }
    }

    std::vector<ScanEdge> m_edges;
    std::vector<ScanEdge const*> m_active;
    std::vector<Crossing> m_crossings;
};

// Picks the fast path where it applies, the general scanner elsewhere.
template<typename Point, typename Emit>
void ScanPolygon(PolygonScanner& scanner, Point const* points, int count, FillRule rule, ScanClip clip,
    Emit&& emitSpan)
{
    if (clip.IsEmpty())
        return;
    if (IsAxisAlignedRectangle(points, count))
        ScanRectangle(points, clip, emitSpan);
    else if (IsSmallYMonotone(points, count))
        ScanSmallYMonotone(points, count, clip, emitSpan);
    else
        scanner.Scan(points, count, rule, clip, emitSpan);
}

} // namespace raster
