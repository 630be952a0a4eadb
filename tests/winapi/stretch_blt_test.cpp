// StretchBlt and BitBlt: small cases worked out by hand, and random
// stretches against an independent model of which source pixels feed which
// destination pixel.
#include "gdi_test_support.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <random>
#include <vector>

using gdi_test::Canvas;

namespace {

constexpr std::uint32_t A = 0x110000, B = 0x002200, C = 0x000033, D = 0x440044;

std::vector<std::uint32_t> Row(Canvas const& canvas, int y)
{
    auto const pixels = canvas.Pixels();
    int const width = canvas.surface().Width();
    return { pixels.begin() + y * width, pixels.begin() + (y + 1) * width };
}

// A source canvas holding the given rows of pixels.
void Paint(Canvas& canvas, std::vector<std::vector<std::uint32_t>> const& rows)
{
    for (std::size_t y = 0; y < rows.size(); ++y)
        for (std::size_t x = 0; x < rows[y].size(); ++x)
            canvas.surface().Row(int(y))[x] = rows[y][x];
}

std::vector<std::uint32_t> StretchRow(std::vector<std::uint32_t> const& source, int dstX, int dstWidth, int srcX,
    int srcWidth, int mode, int canvasWidth = 0)
{
    Canvas src(int(source.size()), 1);
    Paint(src, { source });
    Canvas dst(canvasWidth ? canvasWidth : (dstWidth < 0 ? -dstWidth : dstWidth), 1);
    SetStretchBltMode(dst.dc(), mode);
    EXPECT_TRUE(StretchBlt(dst.dc(), dstX, 0, dstWidth, 1, src.dc(), srcX, 0, srcWidth, 1, SRCCOPY));
    return Row(dst, 0);
}

using Pixels = std::vector<std::uint32_t>;

} // namespace

TEST(StretchBlt, EnlargingRepeatsPixelsByCentre)
{
    EXPECT_EQ(StretchRow({ A, B }, 0, 4, 0, 2, COLORONCOLOR), (Pixels { A, A, B, B }));
    // Destination pixel 1's centre falls exactly on the source boundary:
    // the earlier source pixel wins.
    EXPECT_EQ(StretchRow({ A, B }, 0, 3, 0, 2, COLORONCOLOR), (Pixels { A, A, B }));
    EXPECT_EQ(StretchRow({ A, B, C }, 0, 5, 0, 3, BLACKONWHITE), (Pixels { A, A, B, C, C }));
}

TEST(StretchBlt, ShrinkingCombinesOrDropsPixelsByMode)
{
    Pixels const source { A | 0x0F0F0F, B | 0x0F0F0F, C | 0x0F0F0F, D | 0x0F0F0F };
    // COLORONCOLOR keeps the last pixel of each group along a row...
    EXPECT_EQ(StretchRow(source, 0, 2, 0, 4, COLORONCOLOR), (Pixels { source[1], source[3] }));
    EXPECT_EQ(StretchRow(source, 0, 2, 0, 4, HALFTONE), (Pixels { source[1], source[3] }));
    // ...BLACKONWHITE ANDs the group, WHITEONBLACK ORs it.
    EXPECT_EQ(StretchRow(source, 0, 2, 0, 4, BLACKONWHITE),
        (Pixels { source[0] & source[1], source[2] & source[3] }));
    EXPECT_EQ(StretchRow(source, 0, 2, 0, 4, WHITEONBLACK),
        (Pixels { source[0] | source[1], source[2] | source[3] }));
    // Three into two: groups {0, 1} and {2}.
    EXPECT_EQ(StretchRow({ A, B, C }, 0, 2, 0, 3, COLORONCOLOR), (Pixels { B, C }));
    EXPECT_EQ(StretchRow({ A | B, B | C, C }, 0, 2, 0, 3, BLACKONWHITE), (Pixels { B, C }));
}

TEST(StretchBlt, ShrinkingRowsKeepsTheFirstRowOfEachGroup)
{
    Canvas src(1, 4);
    Paint(src, { { A }, { B }, { C }, { D } });
    Canvas dst(1, 2);
    SetStretchBltMode(dst.dc(), COLORONCOLOR);
    ASSERT_TRUE(StretchBlt(dst.dc(), 0, 0, 1, 2, src.dc(), 0, 0, 1, 4, SRCCOPY));
    EXPECT_EQ(dst.Pixels(), (Pixels { A, C }));
    SetStretchBltMode(dst.dc(), WHITEONBLACK);
    ASSERT_TRUE(StretchBlt(dst.dc(), 0, 0, 1, 2, src.dc(), 0, 0, 1, 4, SRCCOPY));
    EXPECT_EQ(dst.Pixels(), (Pixels { A | B, C | D }));
}

TEST(StretchBlt, NegativeExtentsMirror)
{
    // A source of width -2 at x = 1 covers pixels 0 and 1, read backwards.
    EXPECT_EQ(StretchRow({ A, B }, 0, 4, 1, -2, COLORONCOLOR), (Pixels { B, B, A, A }));
    EXPECT_EQ(StretchRow({ A, B }, 3, -4, 0, 2, COLORONCOLOR), (Pixels { B, B, A, A }));
    // Mirrored twice is not mirrored.
    EXPECT_EQ(StretchRow({ A, B }, 3, -4, 1, -2, COLORONCOLOR), (Pixels { A, A, B, B }));
    // Equal negative extents copy without mirroring.
    EXPECT_EQ(StretchRow({ A, B, C }, 2, -3, 2, -3, COLORONCOLOR), (Pixels { A, B, C }));
    // Shrinking backwards keeps the last pixel of each group in walking order.
    EXPECT_EQ(StretchRow({ A, B, C, D }, 1, -2, 3, -4, COLORONCOLOR, 2), (Pixels { A, C }));
}

TEST(StretchBlt, OnePixelWideDestinationTakesOneSourcePixelLess)
{
    EXPECT_EQ(StretchRow({ A, B, C }, 0, 1, 0, 3, COLORONCOLOR), (Pixels { B }));
    EXPECT_EQ(StretchRow({ A | C, B | C, 0 }, 0, 1, 0, 3, BLACKONWHITE), (Pixels { C }));
}

TEST(StretchBlt, NothingVisibleSucceedsWithoutDrawing)
{
    Canvas src(4, 4);
    src.Fill(A);
    Canvas dst(4, 4);
    dst.Fill(B);
    EXPECT_TRUE(StretchBlt(dst.dc(), 0, 0, 4, 4, src.dc(), 10, 10, 4, 4, SRCCOPY));
    EXPECT_TRUE(StretchBlt(dst.dc(), 10, 0, 4, 4, src.dc(), 0, 0, 2, 2, SRCCOPY));
    EXPECT_TRUE(StretchBlt(dst.dc(), 0, 0, 0, 4, src.dc(), 0, 0, 2, 2, SRCCOPY));
    EXPECT_TRUE(StretchBlt(dst.dc(), 0, 0, 4, 4, src.dc(), 0, 0, 0, 0, SRCCOPY));
    EXPECT_TRUE(StretchBlt(dst.dc(), INT_MIN, INT_MIN, INT_MAX, INT_MAX, src.dc(), INT_MAX, INT_MAX, INT_MIN, 5, SRCCOPY));
    EXPECT_EQ(dst.Pixels(), Pixels(16, B));
}

TEST(StretchBlt, ExtremeRectanglesNeverWriteOutside)
{
    // Whatever is asked, only the destination's own pixels change (the
    // sanitizers check the memory around them).
    Canvas src(5, 3);
    src.Fill(A);
    Canvas dst(6, 4);
    std::mt19937 random(5);
    std::vector<int> const values { INT_MIN, INT_MIN + 1, -1000000000, -7, -1, 0, 1, 2, 3, 5, 1000000000, INT_MAX - 1,
        INT_MAX };
    auto pick = [&] { return values[random() % values.size()]; };
    for (int round = 0; round < 3000; ++round) {
        SetStretchBltMode(dst.dc(), 1 + round % 4);
        StretchBlt(dst.dc(), pick(), pick(), pick(), pick(), src.dc(), pick(), pick(), pick(), pick(), SRCCOPY);
    }
    for (std::uint32_t pixel : dst.Pixels())
        EXPECT_TRUE(pixel == 0 || pixel == A);
}

TEST(BitBlt, CopiesTheVisiblePartOnly)
{
    Canvas src(3, 3);
    Paint(src, { { A, B, C }, { D, A, B }, { C, D, A } });
    Canvas dst(4, 4);
    dst.Fill(0x777777);
    // The source rectangle starts outside the source: only its visible
    // part arrives, shifted accordingly.
    ASSERT_TRUE(BitBlt(dst.dc(), 0, 0, 4, 4, src.dc(), -1, -2, SRCCOPY));
    constexpr std::uint32_t G = 0x777777;
    EXPECT_EQ(dst.Pixels(), (Pixels { G, G, G, G, G, G, G, G, G, A, B, C, G, D, A, B }));
}

TEST(BitBlt, OverlappingCopyWithinOneBitmap)
{
    Canvas canvas(5, 2);
    Paint(canvas, { { A, B, C, D, A }, { B, C, D, A, B } });
    ASSERT_TRUE(BitBlt(canvas.dc(), 1, 0, 4, 2, canvas.dc(), 0, 0, SRCCOPY));
    EXPECT_EQ(canvas.Pixels(), (Pixels { A, A, B, C, D, B, B, C, D, A }));
    ASSERT_TRUE(StretchBlt(canvas.dc(), 0, 0, 2, 1, canvas.dc(), 1, 0, 4, 1, SRCCOPY));
    EXPECT_EQ(Row(canvas, 0), (Pixels { A & B, C & D, B, C, D })); // the DC's default mode ANDs
}

TEST(BitBlt, SourceOperations)
{
    Canvas src(1, 1);
    Canvas dst(1, 1);
    auto run = [&](DWORD rop) {
        dst.Fill(0x00FF0F);
        src.Fill(0x0F0FF0);
        EXPECT_TRUE(BitBlt(dst.dc(), 0, 0, 1, 1, src.dc(), 0, 0, rop));
        return dst.Pixels()[0];
    };
    EXPECT_EQ(run(SRCCOPY), 0x0F0FF0u);
    EXPECT_EQ(run(SRCPAINT), 0x0FFFFFu);
    EXPECT_EQ(run(SRCAND), 0x000F00u);
    EXPECT_EQ(run(SRCINVERT), 0x0FF0FFu);
    EXPECT_EQ(run(NOTSRCCOPY), 0xF0F00Fu);
    EXPECT_EQ(run(BLACKNESS), 0x000000u);
    EXPECT_FALSE(BitBlt(dst.dc(), 0, 0, 1, 1, src.dc(), 0, 0, MERGECOPY)); // needs a pattern too
}

TEST(BitBlt, MonochromeAndColourConvertThroughDCColours)
{
    Canvas colour(3, 1);
    Paint(colour, { { 0x123456, 0xABCDEF, 0x123456 } });
    Canvas mono(3, 1, true);
    // Colour to monochrome: the source DC's background colour is white,
    // everything else black.
    SetBkColor(colour.dc(), RGB(0x12, 0x34, 0x56));
    ASSERT_TRUE(BitBlt(mono.dc(), 0, 0, 3, 1, colour.dc(), 0, 0, SRCCOPY));
    EXPECT_EQ(mono.Pixels(), (Pixels { 0xFFFFFF, 0, 0xFFFFFF }));
    // Monochrome to colour: black takes the destination's text colour,
    // white its background colour.
    Canvas target(3, 1);
    SetTextColor(target.dc(), RGB(1, 2, 3));
    SetBkColor(target.dc(), RGB(4, 5, 6));
    ASSERT_TRUE(BitBlt(target.dc(), 0, 0, 3, 1, mono.dc(), 0, 0, SRCCOPY));
    EXPECT_EQ(target.Pixels(), (Pixels { 0x040506, 0x010203, 0x040506 }));
    // Stretching converts before it combines.
    SetStretchBltMode(target.dc(), WHITEONBLACK);
    ASSERT_TRUE(StretchBlt(target.dc(), 0, 0, 1, 1, mono.dc(), 0, 0, 3, 1, SRCCOPY));
    EXPECT_EQ(target.Pixels()[0], 0x040506u | 0x010203u);
}

// ---- Random stretches against a model ---------------------------------------

namespace {

// Along one axis, the source pixels that feed destination pixel `j`, in the
// order the copy visits them. Enlarging: the source pixel under the centre
// of the destination pixel, the earlier one on a tie. Shrinking: the source
// pixels whose centres fall into the destination pixel, ties to the earlier.
std::vector<int> Feeders(int j, int source, int destination)
{
    auto ceilDiv = [](std::int64_t a, std::int64_t b) { return (a + b - 1) / b; };
    std::vector<int> feeders;
    if (destination >= source) {
        feeders.push_back(int(ceilDiv(std::int64_t(2 * j + 1) * source, 2 * destination)) - 1);
    } else {
        for (int i = 0; i < source; ++i)
            if (ceilDiv(std::int64_t(2 * i + 1) * destination, 2 * source) - 1 == j)
                feeders.push_back(i);
    }
    return feeders;
}

std::uint32_t ModelPixel(std::vector<std::uint32_t> const& source, int sourceStride, int sx, int sy, int sw, int sh,
    int dw, int dh, int mode, int j, int k)
{
    if (dw == 1 && sw > 1)
        --sw;
    if (dh == 1 && sh > 1)
        --sh;
    if (mode == HALFTONE)
        mode = COLORONCOLOR;
    auto at = [&](int column, int row) { return source[std::size_t(sy + row) * sourceStride + sx + column]; };
    std::vector<int> const columns = Feeders(j, sw, dw);
    std::vector<int> const rows = Feeders(k, sh, dh);
    bool const rowsRepeat = dh >= sh, columnsRepeat = dw >= sw;
    if (mode == COLORONCOLOR || (rowsRepeat && columnsRepeat))
        return at(columns.back(), rows.front());
    std::uint32_t value = mode == BLACKONWHITE ? 0xFFFFFF : 0;
    for (int row : rows)
        for (int column : columns)
            value = mode == BLACKONWHITE ? value & at(column, row) : value | at(column, row);
    return value;
}

} // namespace

TEST(StretchBlt, RandomStretchesMatchTheModel)
{
    std::mt19937 random(2024);
    constexpr int SourceWidth = 14, SourceHeight = 11;
    Canvas src(SourceWidth, SourceHeight);
    std::vector<std::uint32_t> source(SourceWidth * SourceHeight);
    for (std::uint32_t& pixel : source)
        pixel = random() & 0xFFFFFF;
    for (int y = 0; y < SourceHeight; ++y)
        for (int x = 0; x < SourceWidth; ++x)
            src.surface().Row(y)[x] = source[y * SourceWidth + x];

    constexpr int Size = 30;
    Canvas dst(Size, Size);
    std::uniform_int_distribution<int> extent(1, 16);
    for (int round = 0; round < 1500; ++round) {
        int const sw = 1 + int(random() % 12), sh = 1 + int(random() % 9);
        int const sx = int(random() % (SourceWidth - sw + 1)), sy = int(random() % (SourceHeight - sh + 1));
        int const dw = extent(random), dh = extent(random);
        int const dx = int(random() % (Size - dw + 1)), dy = int(random() % (Size - dh + 1));
        int const mode = 1 + round % 4;
        dst.Fill(0x5A5A5A);
        SetStretchBltMode(dst.dc(), mode);
        ASSERT_TRUE(StretchBlt(dst.dc(), dx, dy, dw, dh, src.dc(), sx, sy, sw, sh, SRCCOPY));
        for (int k = 0; k < dh; ++k) {
            for (int j = 0; j < dw; ++j) {
                ASSERT_EQ(dst.surface().PixelAt(dx + j, dy + k),
                    ModelPixel(source, SourceWidth, sx, sy, sw, sh, dw, dh, mode, j, k))
                    << "mode " << mode << ": " << sw << "x" << sh << " -> " << dw << "x" << dh << ", pixel " << j
                    << "," << k;
            }
        }
        // Nothing outside the destination rectangle changes.
        int changedOutside = 0;
        for (int y = 0; y < Size; ++y)
            for (int x = 0; x < Size; ++x)
                if ((x < dx || x >= dx + dw || y < dy || y >= dy + dh) && dst.surface().PixelAt(x, y) != 0x5A5A5A)
                    ++changedOutside;
        ASSERT_EQ(changedOutside, 0);
    }
}

TEST(StretchBlt, ClippingTheDestinationKeepsTheVisiblePixels)
{
    // The same stretch drawn whole onto a large surface and partly off the
    // edges of a small one: every visible pixel agrees.
    std::mt19937 random(77);
    Canvas src(12, 9);
    for (int y = 0; y < 9; ++y)
        for (int x = 0; x < 12; ++x)
            src.surface().Row(y)[x] = random() & 0xFFFFFF;
    constexpr int Offset = 24, Small = 10;
    Canvas whole(Small + 2 * Offset, Small + 2 * Offset);
    Canvas clipped(Small, Small);
    for (int round = 0; round < 1500; ++round) {
        int const sw = 1 + int(random() % 12), sh = 1 + int(random() % 9);
        int const sx = int(random() % (12 - sw + 1)), sy = int(random() % (9 - sh + 1));
        int const dw = 1 + int(random() % 20), dh = 1 + int(random() % 20);
        int const dx = -Offset + int(random() % (Small + 2 * Offset - dw)), dy = -Offset + int(random() % (Small + 2 * Offset - dh));
        int const mode = 1 + round % 3;
        whole.Fill(0);
        clipped.Fill(0);
        SetStretchBltMode(whole.dc(), mode);
        SetStretchBltMode(clipped.dc(), mode);
        ASSERT_TRUE(StretchBlt(whole.dc(), dx + Offset, dy + Offset, dw, dh, src.dc(), sx, sy, sw, sh, SRCCOPY));
        ASSERT_TRUE(StretchBlt(clipped.dc(), dx, dy, dw, dh, src.dc(), sx, sy, sw, sh, SRCCOPY));
        for (int y = 0; y < Small; ++y)
            for (int x = 0; x < Small; ++x)
                ASSERT_EQ(clipped.surface().PixelAt(x, y), whole.surface().PixelAt(x + Offset, y + Offset))
                    << "round " << round << " pixel " << x << "," << y;
    }
}

TEST(StretchBlt, SourcePartlyOutsideDrawsOnlyWhatItHas)
{
    // Enlarging from a rectangle that hangs over the source's edges: the
    // destination pixels fed by existing source pixels get them, the others
    // stay as they were.
    std::mt19937 random(31);
    Canvas src(6, 5);
    std::vector<std::uint32_t> source(6 * 5);
    for (std::size_t i = 0; i < source.size(); ++i)
        src.surface().Pixels()[i] = source[i] = 0x100000 + std::uint32_t(i);
    Canvas dst(24, 24);
    for (int round = 0; round < 1000; ++round) {
        int const sw = 1 + int(random() % 8), sh = 1 + int(random() % 8);
        int const sx = -3 + int(random() % 8), sy = -3 + int(random() % 7);
        int const dw = sw + int(random() % (24 - sw)), dh = sh + int(random() % (24 - sh));
        dst.Fill(0);
        SetStretchBltMode(dst.dc(), COLORONCOLOR);
        ASSERT_TRUE(StretchBlt(dst.dc(), 0, 0, dw, dh, src.dc(), sx, sy, sw, sh, SRCCOPY));
        for (int k = 0; k < 24; ++k) {
            for (int j = 0; j < 24; ++j) {
                std::uint32_t expected = 0;
                if (j < dw && k < dh) {
                    int const column = sx + Feeders(j, sw, dw).front();
                    int const row = sy + Feeders(k, sh, dh).front();
                    if (column >= 0 && column < 6 && row >= 0 && row < 5)
                        expected = source[row * 6 + column];
                }
                ASSERT_EQ(dst.surface().PixelAt(j, k), expected)
                    << "round " << round << ": (" << sx << "," << sy << " " << sw << "x" << sh << ") -> " << dw << "x"
                    << dh << ", pixel " << j << "," << k;
            }
        }
    }
}
