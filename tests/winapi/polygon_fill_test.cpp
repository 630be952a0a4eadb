// Polygon filling against an independent reference of the point-sampling
// rule, evaluated pixel by pixel with exact 128-bit comparisons.
#include "gdi_test_support.h"

#include "raster/polygon_scan.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <random>
#include <string>
#include <vector>

using gdi_test::Canvas;
using gdi_test::SolidFill;

namespace {

constexpr std::uint32_t Ink = 0xFFFFFF;
constexpr COLORREF InkColor = RGB(255, 255, 255);

// Whether pixel (x, y), sampled at the integer point, lies inside: count the
// crossings at or left of x of the edges with min(y0, y1) <= y < max(y0, y1).
bool ReferenceInside(std::vector<POINT> const& polygon, int fillMode, std::int64_t x, std::int64_t y)
{
    int crossings = 0;
    int winding = 0;
    for (std::size_t i = 0; i < polygon.size(); ++i) {
        POINT const a = polygon[i];
        POINT const b = polygon[(i + 1) % polygon.size()];
        if (a.y == b.y || y < std::min(a.y, b.y) || y >= std::max(a.y, b.y))
            continue;
        // (crossing - x) * (b.y - a.y), exactly.
        __int128 const scaled = static_cast<__int128>(std::int64_t { a.x } - x) * (std::int64_t { b.y } - a.y)
            + static_cast<__int128>(y - a.y) * (std::int64_t { b.x } - a.x);
        bool const atOrLeft = b.y > a.y ? scaled <= 0 : scaled >= 0;
        if (atOrLeft) {
            ++crossings;
            winding += b.y > a.y ? 1 : -1;
        }
    }
    return fillMode == WINDING ? winding != 0 : (crossings % 2) == 1;
}

std::vector<std::uint32_t> ReferenceImage(std::vector<POINT> const& polygon, int fillMode, int width, int height)
{
    std::vector<std::uint32_t> image(std::size_t(width) * height, 0);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            if (ReferenceInside(polygon, fillMode, x, y))
                image[std::size_t(y) * width + x] = Ink;
    return image;
}

std::vector<std::uint32_t> DrawnImage(std::vector<POINT> const& polygon, int fillMode, int width, int height)
{
    Canvas canvas(width, height);
    SolidFill fill(canvas.dc(), InkColor);
    SetPolyFillMode(canvas.dc(), fillMode);
    EXPECT_TRUE(Polygon(canvas.dc(), polygon.data(), static_cast<int>(polygon.size())));
    return canvas.Pixels();
}

std::string Describe(std::vector<POINT> const& polygon, int fillMode)
{
    std::string text = fillMode == WINDING ? "WINDING" : "ALTERNATE";
    for (POINT const& point : polygon)
        text += " (" + std::to_string(point.x) + "," + std::to_string(point.y) + ")";
    return text;
}

void ExpectMatchesReference(std::vector<POINT> const& polygon, int fillMode, int width, int height)
{
    EXPECT_EQ(DrawnImage(polygon, fillMode, width, height), ReferenceImage(polygon, fillMode, width, height))
        << Describe(polygon, fillMode);
}

std::vector<std::uint32_t> Image(int width, int height, std::vector<std::string> const& rows)
{
    std::vector<std::uint32_t> image;
    for (std::string const& row : rows)
        for (char c : row)
            image.push_back(c == '#' ? Ink : 0);
    EXPECT_EQ(image.size(), std::size_t(width) * height);
    return image;
}

} // namespace

TEST(PolygonFill, TriangleFillsHalfOpenRows)
{
    // Row y spans from the left edge (x = 0) to the hypotenuse x = 4 - y,
    // exclusive; the vertex row 4 is not filled.
    std::vector<POINT> const triangle { { 0, 0 }, { 4, 0 }, { 0, 4 } };
    EXPECT_EQ(DrawnImage(triangle, ALTERNATE, 5, 5),
        Image(5, 5, { "####.", "###..", "##...", "#....", "....." }));
}

TEST(PolygonFill, RectangleCoversLeftTopInclusiveRightBottomExclusive)
{
    std::vector<std::uint32_t> const expected = Image(6, 5, { "......", ".###..", ".###..", "......", "......" });
    // The same rectangle traced from every corner in both directions.
    std::vector<POINT> const corners { { 1, 1 }, { 4, 1 }, { 4, 3 }, { 1, 3 } };
    for (int start = 0; start < 4; ++start) {
        for (int direction : { 1, 3 }) {
            std::vector<POINT> polygon;
            for (int i = 0; i < 4; ++i)
                polygon.push_back(corners[(start + direction * i) % 4]);
            for (int fillMode : { ALTERNATE, WINDING })
                EXPECT_EQ(DrawnImage(polygon, fillMode, 6, 5), expected) << Describe(polygon, fillMode);
        }
    }
}

TEST(PolygonFill, NeighbouringCellsShareEdgesWithoutGapOrOverlap)
{
    // Cells whose edges come from truncated multiples of a fractional step,
    // as the map computes them; every pixel must carry its own cell's colour.
    constexpr int Columns = 7, Rows = 5, Width = 40, Height = 23;
    double const stepX = Width / double(Columns), stepY = Height / double(Rows);
    Canvas canvas(Width, Height);
    canvas.Fill(0xABCDEF);
    auto edgeX = [&](int j) { return int(j * stepX); };
    auto edgeY = [&](int i) { return int(i * stepY); };
    auto colorOf = [](int j, int i) { return RGB(j * 20 + 1, i * 30 + 1, 7); };
    for (int j = 0; j < Columns; ++j) {
        for (int i = 0; i < Rows; ++i) {
            SolidFill fill(canvas.dc(), colorOf(j, i));
            POINT const cell[4] { { edgeX(j), edgeY(i) }, { edgeX(j + 1), edgeY(i) }, { edgeX(j + 1), edgeY(i + 1) },
                { edgeX(j), edgeY(i + 1) } };
            ASSERT_TRUE(Polygon(canvas.dc(), cell, 4));
        }
    }
    for (int y = 0; y < Height; ++y) {
        for (int x = 0; x < Width; ++x) {
            int j = 0, i = 0;
            while (edgeX(j + 1) <= x)
                ++j;
            while (edgeY(i + 1) <= y)
                ++i;
            ASSERT_EQ(GetPixel(canvas.dc(), x, y), colorOf(j, i)) << "pixel " << x << "," << y;
        }
    }
}

TEST(PolygonFill, RandomPolygonsMatchTheReference)
{
    // Convex, concave and self-intersecting outlines, partly outside the
    // surface on every side.
    std::mt19937 random(1234);
    std::uniform_int_distribution<int> coordinate(-6, 25);
    std::uniform_int_distribution<int> vertexCount(3, 9);
    for (int round = 0; round < 700; ++round) {
        std::vector<POINT> polygon(vertexCount(random));
        for (POINT& point : polygon)
            point = { coordinate(random), coordinate(random) };
        ExpectMatchesReference(polygon, round % 2 ? WINDING : ALTERNATE, 19, 17);
        if (HasFailure())
            return;
    }
}

TEST(PolygonFill, HugeCoordinatesAreClippedExactly)
{
    std::vector<std::vector<POINT>> polygons {
        { { INT_MIN, INT_MIN }, { INT_MAX, 3 }, { INT_MIN, INT_MAX } },
        { { INT_MAX, INT_MAX }, { INT_MIN, 5 }, { 7, INT_MIN } },
        { { INT_MIN, INT_MIN }, { INT_MAX, INT_MIN }, { INT_MAX, INT_MAX }, { INT_MIN, INT_MAX } },
        { { -1000000000, 2 }, { 1000000007, 9 }, { 3, 2000000000 }, { 8, -2000000000 } },
        { { INT_MAX, 0 }, { INT_MIN, 1 }, { INT_MAX, 2 }, { INT_MIN, 3 }, { INT_MAX, 4 } },
    };
    std::mt19937 random(99);
    std::uniform_int_distribution<int> anywhere(INT_MIN, INT_MAX);
    std::uniform_int_distribution<int> near(-40, 60);
    for (int round = 0; round < 200; ++round) {
        std::vector<POINT> polygon(3 + round % 5);
        for (std::size_t i = 0; i < polygon.size(); ++i)
            polygon[i] = (i + round) % 2 ? POINT { anywhere(random), near(random) } : POINT { near(random), anywhere(random) };
        polygons.push_back(polygon);
    }
    for (auto const& polygon : polygons) {
        for (int fillMode : { ALTERNATE, WINDING })
            ExpectMatchesReference(polygon, fillMode, 16, 13);
        if (HasFailure())
            return;
    }
}

TEST(PolygonFill, WindingFillsTheCentreOfAStarThatAlternateLeavesOut)
{
    std::vector<POINT> const star { { 10, 0 }, { 16, 19 }, { 0, 7 }, { 20, 7 }, { 4, 19 } };
    auto const alternate = DrawnImage(star, ALTERNATE, 21, 20);
    auto const winding = DrawnImage(star, WINDING, 21, 20);
    std::size_t const centre = 10 * 21 + 10;
    EXPECT_EQ(alternate[centre], 0u);
    EXPECT_EQ(winding[centre], Ink);
    EXPECT_EQ(alternate, ReferenceImage(star, ALTERNATE, 21, 20));
    EXPECT_EQ(winding, ReferenceImage(star, WINDING, 21, 20));
}

TEST(PolygonFill, DegenerateOutlinesPaintNothing)
{
    std::vector<std::vector<POINT>> const polygons {
        { { 3, 3 }, { 3, 3 }, { 3, 3 }, { 3, 3 } },   // one point
        { { 1, 1 }, { 5, 5 }, { 9, 9 } },             // collinear
        { { 2, 2 }, { 8, 2 }, { 8, 2 }, { 2, 2 } },   // zero height
        { { 4, 1 }, { 4, 9 }, { 4, 9 }, { 4, 1 } },   // zero width
        { { 1, 1 }, { 7, 5 } },                       // two points
        { { 0, 0 }, { 6, 6 }, { 0, 0 }, { 6, 6 } },   // back and forth
    };
    std::vector<std::uint32_t> const empty(10 * 10, 0);
    for (auto const& polygon : polygons)
        for (int fillMode : { ALTERNATE, WINDING })
            EXPECT_EQ(DrawnImage(polygon, fillMode, 10, 10), empty) << Describe(polygon, fillMode);
}

TEST(PolygonFill, DegenerateOutlineStillDrawsItsPen)
{
    // Nothing to fill, but the default black pen traces the flat outline.
    Canvas canvas(10, 5);
    canvas.Fill(0x808080);
    POINT const flat[4] { { 2, 2 }, { 8, 2 }, { 8, 2 }, { 2, 2 } };
    ASSERT_TRUE(Polygon(canvas.dc(), flat, 4));
    for (int x = 2; x < 8; ++x)
        EXPECT_EQ(GetPixel(canvas.dc(), x, 2), RGB(0, 0, 0)) << x;
    EXPECT_EQ(GetPixel(canvas.dc(), 1, 2), RGB(128, 128, 128));
    for (int x = 0; x < 10; ++x) {
        EXPECT_EQ(GetPixel(canvas.dc(), x, 1), RGB(128, 128, 128)) << x;
        EXPECT_EQ(GetPixel(canvas.dc(), x, 3), RGB(128, 128, 128)) << x;
    }
}

TEST(PolygonFill, RejectsTooFewPointsAndBadHandles)
{
    Canvas canvas(4, 4);
    POINT const points[3] { { 0, 0 }, { 3, 0 }, { 0, 3 } };
    EXPECT_FALSE(Polygon(canvas.dc(), points, 1));
    EXPECT_FALSE(Polygon(canvas.dc(), points, 0));
    EXPECT_FALSE(Polygon(canvas.dc(), points, -5));
    EXPECT_FALSE(Polygon(canvas.dc(), nullptr, 3));
    EXPECT_FALSE(Polygon(nullptr, points, 3));
    EXPECT_FALSE(Polygon(reinterpret_cast<HDC>(canvas.bitmap()), points, 3));
}

TEST(PolygonFill, PenOutlinesTheRectangleOverTheFill)
{
    Canvas canvas(7, 6);
    canvas.Fill(0x808080);
    HBRUSH brush = CreateSolidBrush(RGB(255, 255, 255));
    HGDIOBJ oldBrush = SelectObject(canvas.dc(), brush);
    // The DC's default pen is the stock black pen.
    ASSERT_EQ(GetCurrentObject(canvas.dc(), OBJ_PEN), GetStockObject(BLACK_PEN));
    POINT const rectangle[4] { { 1, 1 }, { 5, 1 }, { 5, 4 }, { 1, 4 } };
    ASSERT_TRUE(Polygon(canvas.dc(), rectangle, 4));
    SelectObject(canvas.dc(), oldBrush);
    DeleteObject(brush);

    std::vector<std::string> const expected { ".......", ".#####.", ".#ooo#.", ".#ooo#.", ".#####.", "......." };
    for (int y = 0; y < 6; ++y) {
        for (int x = 0; x < 7; ++x) {
            COLORREF const want = expected[y][x] == '#' ? RGB(0, 0, 0)
                : expected[y][x] == 'o'                 ? RGB(255, 255, 255)
                                                        : RGB(128, 128, 128);
            EXPECT_EQ(GetPixel(canvas.dc(), x, y), want) << x << "," << y;
        }
    }
}

TEST(PolygonFill, DiagonalPenPicksTheSamePixelsInBothDirections)
{
    Canvas canvas(6, 4);
    HGDIOBJ oldBrush = SelectObject(canvas.dc(), GetStockObject(NULL_BRUSH));
    HGDIOBJ oldPen = SelectObject(canvas.dc(), GetStockObject(WHITE_PEN));
    POINT const line[2] { { 0, 0 }, { 4, 2 } };
    ASSERT_TRUE(Polygon(canvas.dc(), line, 2));
    SelectObject(canvas.dc(), oldBrush);
    SelectObject(canvas.dc(), oldPen);
    EXPECT_EQ(canvas.Pixels(), Image(6, 4, { "##....", "..##..", "....#.", "......" }));
}

// ---- The fast paths give exactly the general scanner's spans ---------------

namespace {

struct Span {
    int y, x0, x1;
    bool operator==(Span const&) const = default;
};

std::vector<Span> GeneralSpans(std::vector<POINT> const& polygon, int fillMode, raster::ScanClip clip)
{
    raster::FillRule const rule = fillMode == WINDING ? raster::FillRule::Winding : raster::FillRule::Alternate;
    raster::PolygonScanner scanner;
    std::vector<Span> spans;
    scanner.Scan(polygon.data(), int(polygon.size()), rule, clip,
        [&](int y, int x0, int x1) { spans.push_back({ y, x0, x1 }); });
    return spans;
}

int RandomCoordinate(std::mt19937& random, bool huge)
{
    if (huge && random() % 3 == 0)
        return std::uniform_int_distribution<int>(INT_MIN, INT_MAX)(random);
    return std::uniform_int_distribution<int>(-30, 90)(random);
}

} // namespace

TEST(PolygonFastPaths, RectanglesMatchTheGeneralScanner)
{
    std::mt19937 random(7);
    raster::ScanClip const clip { 0, 0, 64, 48 };
    for (int round = 0; round < 3000; ++round) {
        bool const huge = round % 2;
        int const x0 = RandomCoordinate(random, huge), x1 = RandomCoordinate(random, huge);
        int const y0 = RandomCoordinate(random, huge), y1 = RandomCoordinate(random, huge);
        std::vector<POINT> const polygon = round % 3 ? std::vector<POINT> { { x0, y0 }, { x1, y0 }, { x1, y1 }, { x0, y1 } }
                                                     : std::vector<POINT> { { x0, y0 }, { x0, y1 }, { x1, y1 }, { x1, y0 } };
        ASSERT_TRUE(raster::IsAxisAlignedRectangle(polygon.data(), 4));
        std::vector<Span> fast;
        raster::ScanRectangle(polygon.data(), clip, [&](int y, int a, int b) { fast.push_back({ y, a, b }); });
        for (int fillMode : { ALTERNATE, WINDING })
            ASSERT_EQ(fast, GeneralSpans(polygon, fillMode, clip)) << Describe(polygon, fillMode);
        // Polygon fills a solid rectangle without scanning it.
        if (round % 10 == 0)
            ExpectMatchesReference(polygon, ALTERNATE, clip.right, clip.bottom);
    }
}

TEST(PolygonFastPaths, MonotoneTrianglesAndQuadsMatchTheGeneralScanner)
{
    std::mt19937 random(11);
    raster::ScanClip const clip { 0, 0, 64, 48 };
    int monotone = 0, other = 0;
    for (int round = 0; round < 20000; ++round) {
        std::vector<POINT> polygon(3 + round % 2);
        for (POINT& point : polygon)
            point = { RandomCoordinate(random, round % 4 == 0), RandomCoordinate(random, round % 4 == 0) };
        if (!raster::IsSmallYMonotone(polygon.data(), int(polygon.size()))) {
            ++other;
            continue;
        }
        ++monotone;
        std::vector<Span> fast;
        raster::ScanSmallYMonotone(polygon.data(), int(polygon.size()), clip,
            [&](int y, int a, int b) { fast.push_back({ y, a, b }); });
        for (int fillMode : { ALTERNATE, WINDING })
            ASSERT_EQ(fast, GeneralSpans(polygon, fillMode, clip)) << Describe(polygon, fillMode);
    }
    // Both kinds must have been exercised.
    EXPECT_GT(monotone, 10000);
    EXPECT_GT(other, 1000);
}

TEST(PolygonFastPaths, MonotoneTestRecognisesShapes)
{
    std::vector<POINT> const convex { { 0, 0 }, { 10, 2 }, { 8, 9 }, { 1, 7 } };
    std::vector<POINT> const bowtieAcross { { 0, 0 }, { 10, 10 }, { 0, 10 }, { 10, 0 } }; // falls, rises: monotone
    std::vector<POINT> const bowtieDown { { 0, 0 }, { 10, 10 }, { 10, 0 }, { 0, 10 } };   // falls, rises, falls, rises
    std::vector<POINT> const pentagon { { 0, 0 }, { 4, 0 }, { 6, 3 }, { 2, 5 }, { 0, 3 } };
    EXPECT_TRUE(raster::IsSmallYMonotone(convex.data(), 4));
    EXPECT_TRUE(raster::IsSmallYMonotone(bowtieAcross.data(), 4));
    EXPECT_FALSE(raster::IsSmallYMonotone(bowtieDown.data(), 4));
    EXPECT_FALSE(raster::IsSmallYMonotone(pentagon.data(), 5));
}
