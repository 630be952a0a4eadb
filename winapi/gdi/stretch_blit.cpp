#include "stretch_blit.h"

#include "bresenham_clip.h"
#include "color_mapping.h"

#include <algorithm>
#include <vector>

namespace winapi::gdi {

namespace {

using Wide = __int128;

// One side of the copy: the rectangle as given (x, y and signed extents) and
// the part of it that is visible and needed, in surface coordinates.
struct BlitCoords {
    std::int64_t x;
    std::int64_t y;
    std::int64_t width;
    std::int64_t height;
    Rect64 visible;
};

// The pixels a rectangle with signed extents covers: a negative extent
// covers the pixels before the origin up to and including the origin.
Rect64 BoundingRect(std::int64_t x, std::int64_t y, std::int64_t width, std::int64_t height)
{
    Rect64 rect { x, y, x + width, y + height };
    if (rect.left > rect.right)
        rect = { rect.right + 1, rect.top, rect.left + 1, rect.bottom };
    if (rect.top > rect.bottom)
        rect = { rect.left, rect.bottom + 1, rect.right, rect.top + 1 };
    return rect;
}

void OrderRect(Rect64& rect)
{
    if (rect.left > rect.right)
        std::swap(rect.left, rect.right);
    if (rect.top > rect.bottom)
        std::swap(rect.top, rect.bottom);
}

Rect64 Offset(Rect64 rect, std::int64_t dx, std::int64_t dy)
{
    return { rect.left + dx, rect.top + dy, rect.right + dx, rect.bottom + dy };
}

// value * numerator / denominator, truncated toward zero.
std::int64_t Scale(std::int64_t value, std::int64_t numerator, std::int64_t denominator)
{
    return static_cast<std::int64_t>(Wide { value } * numerator / denominator);
}

Rect64 Widen(Rect64 rect) { return { rect.left - 1, rect.top - 1, rect.right + 1, rect.bottom + 1 }; }

// Narrows both visible rectangles to the parts that map onto each other.
bool IntersectVisibleRects(BlitCoords& dst, BlitCoords& src)
{
    if (src.width == dst.width && src.height == dst.height) {
        Rect64 const rect = Intersect(Offset(src.visible, dst.x - src.x, dst.y - src.y), dst.visible);
        if (rect.IsEmpty())
            return false;
        dst.visible = rect;
        src.visible = Offset(rect, src.x - dst.x, src.y - dst.y);
        return true;
    }

    // Map the source rectangle into destination coordinates.
    Rect64 rect = Offset(src.visible, -src.x - (src.width < 0 ? 1 : 0), -src.y - (src.height < 0 ? 1 : 0));
    rect = { Scale(rect.left, dst.width, src.width), Scale(rect.top, dst.height, src.height),
        Scale(rect.right, dst.width, src.width), Scale(rect.bottom, dst.height, src.height) };
    OrderRect(rect);

    // A flip whose source does not fit in the source surface does not flip
    // the destination area: move the destination origin to match.
    if (src.width < 0 && dst.width > 0
        && (src.x + src.width + 1 < src.visible.left || src.x > src.visible.right))
        dst.x += (dst.width - rect.right) - rect.left;
    else if (src.width > 0 && dst.width < 0
        && (src.x < src.visible.left || src.x + src.width > src.visible.right))
        dst.x -= rect.right - (dst.width - rect.left);
    if (src.height < 0 && dst.height > 0
        && (src.y + src.height + 1 < src.visible.top || src.y > src.visible.bottom))
        dst.y += (dst.height - rect.bottom) - rect.top;
    else if (src.height > 0 && dst.height < 0
        && (src.y < src.visible.top || src.y + src.height > src.visible.bottom))
        dst.y -= rect.bottom - (dst.height - rect.top);

    dst.visible = Intersect(Widen(Offset(rect, dst.x, dst.y)), dst.visible);
    if (dst.visible.IsEmpty())
        return false;

    // And the destination back into source coordinates.
    rect = Offset(dst.visible, -dst.x - (dst.width < 0 ? 1 : 0), -dst.y - (dst.height < 0 ? 1 : 0));
    rect = { src.x + Scale(rect.left, src.width, dst.width), src.y + Scale(rect.top, src.height, dst.height),
        src.x + Scale(rect.right, src.width, dst.width), src.y + Scale(rect.bottom, src.height, dst.height) };
    OrderRect(rect);
    src.visible = Intersect(Widen(rect), src.visible);
    return !src.visible.IsEmpty();
}

// The walk along one axis: which source pixel feeds which destination pixel.
// The longer extent is the major axis of a Bresenham walk whose first step
// is aimed at pixel centres.
struct AxisWalk {
    std::int64_t srcStart;
    std::int64_t dstStart;
    std::int64_t srcEnd;
    std::int64_t dstEnd;
    std::int64_t srcLast; // the walk never passes these
    std::int64_t dstLast;
    std::int64_t errStart;
    std::int64_t errAdd1;
    std::int64_t errAdd2;
    std::int64_t length;
    int srcInc;
    int dstInc;
    bool stretch; // destination extent >= source extent
};

bool MakeAxisWalk(std::int64_t dstStart, std::int64_t dstLength, std::int64_t dstVisStart, std::int64_t dstVisEnd,
    std::int64_t srcStart, std::int64_t srcLength, std::int64_t srcVisStart, std::int64_t srcVisEnd, AxisWalk& axis)
{
    axis.srcInc = srcLength < 0 ? -1 : 1;
    axis.dstInc = dstLength < 0 ? -1 : 1;

    BresenhamWalk walk {};
    walk.dy = dstLength < 0 ? -dstLength : dstLength;
    walk.dx = srcLength < 0 ? -srcLength : srcLength;
    int octantNumber = walk.dx > walk.dy ? 1 : 2;
    if (srcLength < 0)
        octantNumber = 5 - octantNumber;
    if (dstLength < 0)
        octantNumber = 9 - octantNumber;
    walk.octant = 1u << (octantNumber - 1);
    walk.bias = walk.dx > walk.dy ? walk.dy - walk.dx : walk.dx - walk.dy;

    Point64 const start { srcStart, dstStart };
    Point64 const end { srcStart + srcLength, dstStart + dstLength };
    Rect64 const clip { srcVisStart, dstVisStart, srcVisEnd, dstVisEnd };
    Point64 clippedStart {}, clippedEnd {};
    if (ClipBresenham(start, end, clip, walk, &clippedStart, &clippedEnd) == ClipResult::Outside)
        return false;

    Wide const m = clippedStart.x > start.x ? clippedStart.x - start.x : start.x - clippedStart.x;
    Wide const n = clippedStart.y > start.y ? clippedStart.y - start.y : start.y - clippedStart.y;
    Wide const dx = walk.dx, dy = walk.dy;
    if (walk.dx > walk.dy) {
        axis.errStart = static_cast<std::int64_t>(3 * dy - 2 * dx + m * 2 * dy - n * 2 * dx);
        axis.errAdd1 = 2 * walk.dy - 2 * walk.dx;
        axis.errAdd2 = 2 * walk.dy;
        axis.length = std::abs(clippedEnd.x - clippedStart.x);
        axis.stretch = false;
    } else {
        axis.errStart = static_cast<std::int64_t>(3 * dx - 2 * dy + n * 2 * dx - m * 2 * dy);
        axis.errAdd1 = 2 * walk.dx - 2 * walk.dy;
        axis.errAdd2 = 2 * walk.dx;
        axis.length = std::abs(clippedEnd.y - clippedStart.y);
        axis.stretch = true;
    }
    // The end point is normally clipped away (it lies one past the
    // rectangle); the walk then includes the last pixel inside.
    axis.srcLast = clippedEnd.x;
    axis.dstLast = clippedEnd.y;
    if (!(end == clippedEnd)) {
        clippedEnd.x += axis.srcInc;
        clippedEnd.y += axis.dstInc;
        ++axis.length;
    }
    axis.srcStart = clippedStart.x;
    axis.dstStart = clippedStart.y;
    axis.srcEnd = clippedEnd.x;
    axis.dstEnd = clippedEnd.y;
    return true;
}

// Where the stretched pixels go: straight into the destination, or into a
// scratch rectangle when a raster operation or an overlap needs one.
class StretchTarget {
public:
    StretchTarget(std::uint32_t* pixels, std::int64_t stride, Rect64 const& area, Rect64 const& bounds)
        : m_pixels(pixels)
        , m_stride(stride)
        , m_area(area)
        , m_bounds(bounds)
    {
    }

    bool Contains(std::int64_t x, std::int64_t y) const
    {
        return x >= m_bounds.left && x < m_bounds.right && y >= m_bounds.top && y < m_bounds.bottom;
    }

    std::int64_t Top() const { return m_bounds.top; }

    std::uint32_t& At(std::int64_t x, std::int64_t y)
    {
        return m_pixels[(y - m_area.top) * m_stride + (x - m_area.left)];
    }

private:
    std::uint32_t* m_pixels;
    std::int64_t m_stride;
    Rect64 m_area;   // the rectangle m_pixels starts at
    Rect64 m_bounds; // where writing is allowed
};

std::uint32_t CombineScans(int mode, std::uint32_t destination, std::uint32_t source)
{
    if (mode == STRETCH_ANDSCANS)
        return destination & source;
    if (mode == STRETCH_ORSCANS)
        return destination | source;
    return source;
}

class Stretcher {
public:
    Stretcher(StretchTarget& target, Surface const& source, PixelConversion const& conversion, AxisWalk const& walk)
        : m_target(target)
        , m_source(source)
        , m_conversion(conversion)
        , m_h(walk)
    {
        // The walk stays inside both visible rectangles by construction;
        // rows whose ends are checked once go without per-pixel checks.
        auto inside = [](std::int64_t value, std::int64_t end) { return value >= 0 && value < end; };
        m_columnsInside = inside(walk.srcStart, source.Width()) && inside(walk.srcLast, source.Width())
            && target.Contains(walk.dstStart, target.Top()) && target.Contains(walk.dstLast, target.Top());
    }

    void Row(Point64 dst, Point64 src, int mode, bool keepDestination)
    {
        bool const checked = !(m_columnsInside && src.y >= 0 && src.y < m_source.Height()
            && m_target.Contains(m_h.dstStart, dst.y));
        if (m_h.stretch) {
            if (checked)
                StretchRow<true>(dst, src, mode, keepDestination);
            else
                StretchRow<false>(dst, src, mode, keepDestination);
        } else {
            if (checked)
                ShrinkRow<true>(dst, src, mode, keepDestination);
            else
                ShrinkRow<false>(dst, src, mode, keepDestination);
        }
    }

private:
    template<bool Checked>
    bool Readable(Point64 dst, Point64 src) const
    {
        if constexpr (Checked) {
            return m_target.Contains(dst.x, dst.y) && src.x >= 0 && src.x < m_source.Width() && src.y >= 0
                && src.y < m_source.Height();
        }
        return true;
    }

    std::uint32_t SourceAt(Point64 src) const
    {
        return m_conversion.Apply(m_source.PixelAt(static_cast<int>(src.x), static_cast<int>(src.y)));
    }

    // Destination extent >= source extent: every destination pixel gets one
    // source pixel.
    template<bool Checked>
    void StretchRow(Point64 dst, Point64 src, int mode, bool keepDestination)
    {
        bool const combine = mode != STRETCH_DELETESCANS && keepDestination;
        std::int64_t err = m_h.errStart;
        for (std::int64_t step = 0; step < m_h.length; ++step) {
            if (Readable<Checked>(dst, src)) {
                std::uint32_t const pixel = SourceAt(src);
                std::uint32_t& out = m_target.At(dst.x, dst.y);
                out = combine ? CombineScans(mode, out, pixel) : pixel;
            }
            dst.x += m_h.dstInc;
            if (err > 0) {
                src.x += m_h.srcInc;
                err += m_h.errAdd1;
            } else {
                err += m_h.errAdd2;
            }
        }
    }

    // Destination extent < source extent: several source pixels meet in one
    // destination pixel; COLORONCOLOR keeps the last, the others combine.
    template<bool Checked>
    void ShrinkRow(Point64 dst, Point64 src, int mode, bool keepDestination)
    {
        std::int64_t err = m_h.errStart;
        std::uint32_t const initial = mode == STRETCH_ANDSCANS ? 0xFFFFFF : 0;
        bool newPixel = true;
        for (std::int64_t step = 0; step < m_h.length; ++step) {
            if (Readable<Checked>(dst, src)) {
                std::uint32_t const pixel = SourceAt(src);
                std::uint32_t& out = m_target.At(dst.x, dst.y);
                if (mode == STRETCH_DELETESCANS) {
                    out = pixel;
                } else {
                    if (newPixel && !keepDestination)
                        out = initial;
                    out = CombineScans(mode, out, pixel);
                }
            }
            newPixel = false;
            src.x += m_h.srcInc;
            if (err > 0) {
                dst.x += m_h.dstInc;
                newPixel = true;
                err += m_h.errAdd1;
            } else {
                err += m_h.errAdd2;
            }
        }
    }

    StretchTarget& m_target;
    Surface const& m_source;
    PixelConversion const& m_conversion;
    AxisWalk const& m_h;
    bool m_columnsInside = false;
};

void CopyRows(StretchTarget& target, Rect64 const& area, std::int64_t fromY, std::int64_t toY)
{
    if (!target.Contains(area.left, fromY) || !target.Contains(area.left, toY))
        return;
    std::copy(&target.At(area.left, fromY), &target.At(area.left, fromY) + area.Width(), &target.At(area.left, toY));
}

void RunStretch(StretchTarget& target, Rect64 const& area, Surface const& source, PixelConversion const& conversion,
    AxisWalk const& h, AxisWalk const& v, int mode)
{
    Stretcher stretcher(target, source, conversion, h);
    Point64 dst { h.dstStart, v.dstStart };
    Point64 src { h.srcStart, v.srcStart };
    std::int64_t err = v.errStart;

    if (v.stretch) {
        // Rows repeat: draw a row when the source row changes, copy the
        // previous one otherwise.
        if (h.stretch)
            mode = STRETCH_DELETESCANS;
        bool needRow = true;
        for (std::int64_t step = 0; step < v.length; ++step) {
            if (needRow) {
                stretcher.Row(dst, src, mode, false);
                needRow = false;
            } else {
                CopyRows(target, area, dst.y - v.dstInc, dst.y);
            }
            if (err > 0) {
                src.y += v.srcInc;
                needRow = true;
                err += v.errAdd1;
            } else {
                err += v.errAdd2;
            }
            dst.y += v.dstInc;
        }
        return;
    }

    // Rows merge: COLORONCOLOR keeps the first of each group, the other
    // modes combine the whole group.
    int mergedRows = 0;
    for (std::int64_t step = 0; step < v.length; ++step) {
        if (mode != STRETCH_DELETESCANS || mergedRows == 0)
            stretcher.Row(dst, src, mode, mergedRows != 0);
        ++mergedRows;
        if (err > 0) {
            dst.y += v.dstInc;
            mergedRows = 0;
            err += v.errAdd1;
        } else {
            err += v.errAdd2;
        }
        src.y += v.srcInc;
    }
}

void ApplyRows(Surface& destination, Rect64 const& area, std::uint32_t const* pixels, Rop2 rop)
{
    std::int64_t const width = area.Width();
    for (std::int64_t y = area.top; y < area.bottom; ++y) {
        std::uint32_t* row = destination.Row(static_cast<int>(y)) + area.left;
        std::uint32_t const* from = pixels + (y - area.top) * width;
        for (std::int64_t x = 0; x < width; ++x)
            row[x] = ApplyRop2(rop, from[x], row[x]);
    }
}

void CopySameSize(Surface& destination, Rect64 const& dstArea, Surface const& source, Rect64 const& srcArea,
    PixelConversion const& conversion, Rop2 rop)
{
    std::int64_t const width = std::min(dstArea.Width(), srcArea.Width());
    std::int64_t const height = std::min(dstArea.Height(), srcArea.Height());
    if (width <= 0 || height <= 0)
        return;
    // Read everything first: source and destination may overlap.
    std::vector<std::uint32_t> pixels(static_cast<std::size_t>(width * height));
    for (std::int64_t y = 0; y < height; ++y) {
        std::uint32_t const* row = source.Row(static_cast<int>(srcArea.top + y)) + srcArea.left;
        for (std::int64_t x = 0; x < width; ++x)
            pixels[static_cast<std::size_t>(y * width + x)] = conversion.Apply(row[x]);
    }
    ApplyRows(destination, { dstArea.left, dstArea.top, dstArea.left + width, dstArea.top + height }, pixels.data(), rop);
}

} // namespace

PixelConversion ConversionBetween(Surface const& source, COLORREF sourceBackground, Surface const& destination,
    COLORREF destinationText, COLORREF destinationBackground)
{
    PixelConversion conversion;
    if (source.IsMonochrome() == destination.IsMonochrome())
        return conversion;
    if (destination.IsMonochrome()) {
        conversion.kind = PixelConversion::Kind::ColorToMono;
        conversion.sourceBackground = NearestPixel(Surface::Format::Rgb32, sourceBackground);
    } else {
        conversion.kind = PixelConversion::Kind::MonoToColor;
        conversion.blackTo = NearestPixel(Surface::Format::Rgb32, destinationText);
        conversion.whiteTo = NearestPixel(Surface::Format::Rgb32, destinationBackground);
    }
    return conversion;
}

bool StretchSurface(Surface& destination, BlitArea destinationArea, Surface const& source, BlitArea sourceArea,
    int mode, PixelConversion const& conversion, Rop2 rop)
{
    BlitCoords dst { destinationArea.x, destinationArea.y, destinationArea.width, destinationArea.height, {} };
    BlitCoords src { sourceArea.x, sourceArea.y, sourceArea.width, sourceArea.height, {} };
    dst.visible = Intersect(BoundingRect(dst.x, dst.y, dst.width, dst.height),
        { 0, 0, destination.Width(), destination.Height() });
    src.visible = Intersect(BoundingRect(src.x, src.y, src.width, src.height), { 0, 0, source.Width(), source.Height() });
    // Nothing visible is no error.
    if (src.visible.IsEmpty() || dst.visible.IsEmpty() || !IntersectVisibleRects(dst, src))
        return true;

    // A destination one pixel wide or high takes one source pixel less.
    if (dst.width == 1 && src.width > 1)
        --src.width;
    if (dst.height == 1 && src.height > 1)
        --src.height;

    if (src.width == dst.width && src.height == dst.height) {
        CopySameSize(destination, dst.visible, source, src.visible, conversion, rop);
        return true;
    }

    if (mode == HALFTONE)
        mode = COLORONCOLOR;
    AxisWalk v {}, h {};
    if (!MakeAxisWalk(dst.y, dst.height, dst.visible.top, dst.visible.bottom, src.y, src.height, src.visible.top,
            src.visible.bottom, v))
        return false;
    if (!MakeAxisWalk(dst.x, dst.width, dst.visible.left, dst.visible.right, src.x, src.width, src.visible.left,
            src.visible.right, h))
        return false;

    Rect64 const area = Intersect(dst.visible, BoundingRect(h.dstStart, v.dstStart, h.dstEnd - h.dstStart, v.dstEnd - v.dstStart));
    if (area.IsEmpty())
        return true;

    bool const direct = rop == Rop2::CopyPen && &destination != &source;
    if (direct) {
        StretchTarget target(destination.Pixels(), destination.Width(), { 0, 0, 0, 0 }, area);
        RunStretch(target, area, source, conversion, h, v, mode);
        return true;
    }
    std::vector<std::uint32_t> pixels(static_cast<std::size_t>(area.Width() * area.Height()));
    StretchTarget target(pixels.data(), area.Width(), area, area);
    RunStretch(target, area, source, conversion, h, v, mode);
    ApplyRows(destination, area, pixels.data(), rop);
    return true;
}

} // namespace winapi::gdi
