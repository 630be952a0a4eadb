// Memory DCs and their bitmaps, device capabilities, DC attributes, pixels,
// and drawing on monochrome bitmaps.
#include "gdi_test_support.h"

#include <gtest/gtest.h>

#include <climits>

using gdi_test::Canvas;
using gdi_test::LiveObjects;

namespace {

BITMAP InfoOf(HGDIOBJ bitmap)
{
    BITMAP info {};
    EXPECT_EQ(GetObjectA(bitmap, sizeof(info), &info), int(sizeof(BITMAP)));
    return info;
}

// Restores the default display size when a test changed it.
class DisplaySize : public ::testing::Test {
protected:
    void TearDown() override { winapi::SetDisplaySize(1920, 1080); }
};

} // namespace

TEST(MemoryDC, StartsWithTheOneByOneMonochromeDefaultBitmap)
{
    DWORD const before = LiveObjects();
    HDC first = CreateCompatibleDC(nullptr);
    HDC second = CreateCompatibleDC(first);
    EXPECT_EQ(LiveObjects(), before + 2);
    EXPECT_EQ(GetObjectType(first), DWORD(OBJ_MEMDC));

    HGDIOBJ bitmap = GetCurrentObject(first, OBJ_BITMAP);
    EXPECT_EQ(GetCurrentObject(second, OBJ_BITMAP), bitmap);
    BITMAP const info = InfoOf(bitmap);
    EXPECT_EQ(info.bmWidth, 1);
    EXPECT_EQ(info.bmHeight, 1);
    EXPECT_EQ(info.bmBitsPixel, 1);
    EXPECT_EQ(info.bmPlanes, 1);
    EXPECT_EQ(info.bmWidthBytes, 2);

    EXPECT_EQ(GetPixel(first, 0, 0), RGB(0, 0, 0));
    EXPECT_EQ(GetPixel(first, 1, 0), CLR_INVALID);
    EXPECT_TRUE(DeleteObject(bitmap)); // a stock object
    EXPECT_EQ(GetObjectType(bitmap), DWORD(OBJ_BITMAP));
    DeleteDC(second);
    DeleteDC(first);
    EXPECT_EQ(LiveObjects(), before);
}

TEST(MemoryDC, CompatibleBitmapFollowsTheDC)
{
    HDC screen = GetDC(nullptr);
    HBITMAP colour = CreateCompatibleBitmap(screen, 37, 5);
    BITMAP info = InfoOf(colour);
    EXPECT_EQ(info.bmWidth, 37);
    EXPECT_EQ(info.bmHeight, 5);
    EXPECT_EQ(info.bmBitsPixel, 32);
    EXPECT_EQ(info.bmWidthBytes, 148);

    // A memory DC still holding its default bitmap makes monochrome bitmaps.
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP mono = CreateCompatibleBitmap(memory, 20, 3);
    info = InfoOf(mono);
    EXPECT_EQ(info.bmBitsPixel, 1);
    EXPECT_EQ(info.bmWidthBytes, 4);

    // With a colour bitmap selected it makes colour ones.
    HGDIOBJ old = SelectObject(memory, colour);
    HBITMAP another = CreateCompatibleBitmap(memory, 2, 2);
    EXPECT_EQ(InfoOf(another).bmBitsPixel, 32);
    // New colour bitmaps are black.
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 37; ++x)
            ASSERT_EQ(GetPixel(memory, x, y), RGB(0, 0, 0));

    SelectObject(memory, old);
    DeleteObject(another);
    DeleteObject(mono);
    DeleteObject(colour);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
}

TEST(MemoryDC, CompatibleBitmapSizes)
{
    HDC screen = GetDC(nullptr);
    DWORD const before = LiveObjects();
    // A zero extent gives the shared 1x1 monochrome bitmap.
    HDC probe = CreateCompatibleDC(nullptr);
    HGDIOBJ const defaultBitmap = GetCurrentObject(probe, OBJ_BITMAP);
    DeleteDC(probe);
    EXPECT_EQ(CreateCompatibleBitmap(screen, 0, 10), defaultBitmap);
    EXPECT_EQ(CreateCompatibleBitmap(screen, 10, 0), defaultBitmap);

    // Negative extents count by their size.
    HBITMAP negative = CreateCompatibleBitmap(screen, -6, -4);
    ASSERT_NE(negative, nullptr);
    EXPECT_EQ(InfoOf(negative).bmWidth, 6);
    EXPECT_EQ(InfoOf(negative).bmHeight, 4);
    DeleteObject(negative);

    // Impossible sizes fail cleanly.
    EXPECT_EQ(CreateCompatibleBitmap(screen, 0x8000000, 1), nullptr);
    EXPECT_EQ(CreateCompatibleBitmap(screen, 200000, 200000), nullptr);
    EXPECT_EQ(CreateCompatibleBitmap(screen, INT_MIN, 3), nullptr);
    EXPECT_EQ(CreateBitmap(4, 4, 1, 8, nullptr), nullptr); // not a stored format
    EXPECT_EQ(CreateBitmap(4, 4, 2, 1, nullptr), nullptr);
    EXPECT_EQ(LiveObjects(), before);
    ReleaseDC(nullptr, screen);
}

TEST(MemoryDC, CreateBitmapLoadsItsBits)
{
    // 1-bit rows padded to 16 bits, most significant bit first.
    unsigned char const mono[2 * 2] = { 0xA0, 0x00, 0x40, 0x00 };
    unsigned char const colour[2 * 4] = { 0x30, 0x20, 0x10, 0xFF, 0x01, 0x02, 0x03, 0x00 };
    Canvas canvas(1, 1);
    HBITMAP monoBitmap = CreateBitmap(3, 2, 1, 1, mono);
    HBITMAP colourBitmap = CreateBitmap(2, 1, 1, 32, colour);
    HGDIOBJ old = SelectObject(canvas.dc(), monoBitmap);
    EXPECT_EQ(GetPixel(canvas.dc(), 0, 0), RGB(255, 255, 255));
    EXPECT_EQ(GetPixel(canvas.dc(), 1, 0), RGB(0, 0, 0));
    EXPECT_EQ(GetPixel(canvas.dc(), 2, 0), RGB(255, 255, 255));
    EXPECT_EQ(GetPixel(canvas.dc(), 1, 1), RGB(255, 255, 255));
    SelectObject(canvas.dc(), colourBitmap);
    EXPECT_EQ(GetPixel(canvas.dc(), 0, 0), RGB(0x10, 0x20, 0x30));
    EXPECT_EQ(GetPixel(canvas.dc(), 1, 0), RGB(0x03, 0x02, 0x01));
    SelectObject(canvas.dc(), old);
    DeleteObject(monoBitmap);
    DeleteObject(colourBitmap);
}

TEST_F(DisplaySize, EveryDCReportsTheDisplay)
{
    winapi::SetDisplaySize(800, 600);
    HDC screen = GetDC(nullptr);
    Canvas canvas(5, 7);
    HDC bare = CreateCompatibleDC(screen);
    for (HDC dc : { screen, canvas.dc(), bare }) {
        EXPECT_EQ(GetDeviceCaps(dc, HORZRES), 800);
        EXPECT_EQ(GetDeviceCaps(dc, VERTRES), 600);
        EXPECT_EQ(GetDeviceCaps(dc, BITSPIXEL), 32);
        EXPECT_EQ(GetDeviceCaps(dc, PLANES), 1);
        EXPECT_EQ(GetDeviceCaps(dc, LOGPIXELSX), 96);
        EXPECT_EQ(GetDeviceCaps(dc, TECHNOLOGY), DT_RASDISPLAY);
        EXPECT_EQ(GetDeviceCaps(dc, HORZSIZE), 212); // 800 px at 96 dpi in mm, rounded
        EXPECT_EQ(GetDeviceCaps(dc, 1), 0);
    }
    EXPECT_EQ(winapi::GetDCSurface(screen)->Width(), 800);
    EXPECT_EQ(winapi::GetDCSurface(screen)->Height(), 600);
    winapi::SetDisplaySize(1024, 768);
    EXPECT_EQ(GetDeviceCaps(canvas.dc(), HORZRES), 1024);
    EXPECT_EQ(winapi::GetDCSurface(screen)->Width(), 1024);
    winapi::SetDisplaySize(0, -5);
    EXPECT_EQ(GetDeviceCaps(screen, HORZRES), 1);
    EXPECT_EQ(GetDeviceCaps(screen, VERTRES), 1);
    DeleteDC(bare);
    ReleaseDC(nullptr, screen);
}

TEST(DCAttributes, DefaultsAndSetters)
{
    Canvas canvas(1, 1);
    HDC dc = canvas.dc();
    EXPECT_EQ(GetTextColor(dc), RGB(0, 0, 0));
    EXPECT_EQ(GetBkColor(dc), RGB(255, 255, 255));
    EXPECT_EQ(GetBkMode(dc), OPAQUE);
    EXPECT_EQ(GetPolyFillMode(dc), ALTERNATE);
    EXPECT_EQ(GetStretchBltMode(dc), BLACKONWHITE);

    EXPECT_EQ(SetTextColor(dc, RGB(1, 2, 3)), RGB(0, 0, 0));
    EXPECT_EQ(GetTextColor(dc), RGB(1, 2, 3));
    EXPECT_EQ(SetBkColor(dc, RGB(4, 5, 6)), RGB(255, 255, 255));
    EXPECT_EQ(GetBkColor(dc), RGB(4, 5, 6));
    EXPECT_EQ(SetBkMode(dc, TRANSPARENT), OPAQUE);
    EXPECT_EQ(SetPolyFillMode(dc, WINDING), ALTERNATE);
    EXPECT_EQ(SetStretchBltMode(dc, COLORONCOLOR), BLACKONWHITE);
    EXPECT_EQ(SetStretchBltMode(dc, STRETCH_HALFTONE), COLORONCOLOR);

    // Out-of-range values are refused and change nothing.
    EXPECT_EQ(SetBkMode(dc, 3), 0);
    EXPECT_EQ(SetPolyFillMode(dc, 0), 0);
    EXPECT_EQ(SetPolyFillMode(dc, 3), 0);
    EXPECT_EQ(SetStretchBltMode(dc, 0), 0);
    EXPECT_EQ(SetStretchBltMode(dc, 5), 0);
    EXPECT_EQ(GetBkMode(dc), TRANSPARENT);
    EXPECT_EQ(GetPolyFillMode(dc), WINDING);
    EXPECT_EQ(GetStretchBltMode(dc), HALFTONE);
}

TEST(Pixels, GetAndSetInsideAndOutside)
{
    Canvas canvas(3, 2);
    EXPECT_EQ(SetPixel(canvas.dc(), 2, 1, RGB(9, 8, 7)), RGB(9, 8, 7));
    EXPECT_EQ(GetPixel(canvas.dc(), 2, 1), RGB(9, 8, 7));
    EXPECT_EQ(canvas.surface().PixelAt(2, 1), 0x090807u); // stored as 0x00RRGGBB
    for (POINT outside : { POINT { -1, 0 }, POINT { 3, 0 }, POINT { 0, -1 }, POINT { 0, 2 }, POINT { INT_MIN, INT_MAX } }) {
        EXPECT_EQ(GetPixel(canvas.dc(), outside.x, outside.y), CLR_INVALID);
        EXPECT_EQ(SetPixel(canvas.dc(), outside.x, outside.y, RGB(1, 1, 1)), RGB(1, 1, 1));
    }
    // The flag byte of a COLORREF is not a colour.
    EXPECT_EQ(SetPixel(canvas.dc(), 0, 0, 0x02123456), 0x123456u);
    EXPECT_EQ(canvas.Pixels(), (std::vector<std::uint32_t> { 0x563412, 0, 0, 0, 0, 0x090807 }));
}

TEST(Monochrome, SetPixelTakesTheNearerOfBlackAndWhite)
{
    Canvas canvas(2, 1, true);
    EXPECT_EQ(SetPixel(canvas.dc(), 0, 0, RGB(200, 190, 210)), RGB(255, 255, 255));
    EXPECT_EQ(SetPixel(canvas.dc(), 1, 0, RGB(100, 120, 90)), RGB(0, 0, 0));
    EXPECT_EQ(canvas.Pixels(), (std::vector<std::uint32_t> { 0xFFFFFF, 0x000000 }));
}

TEST(Monochrome, PensFollowTheBackgroundColourRule)
{
    Canvas canvas(8, 1, true);
    auto drawWith = [&](COLORREF pen, COLORREF background, int x) {
        SetBkColor(canvas.dc(), background);
        HPEN handle = CreatePen(PS_SOLID, 1, pen);
        HGDIOBJ old = SelectObject(canvas.dc(), handle);
        SelectObject(canvas.dc(), GetStockObject(NULL_BRUSH));
        POINT const dot[2] { { x, 0 }, { x + 1, 0 } };
        Polygon(canvas.dc(), dot, 2);
        SelectObject(canvas.dc(), old);
        DeleteObject(handle);
        return GetPixel(canvas.dc(), x, 0);
    };
    canvas.Fill(0x808080); // neither, so every result below is written
    // Black and white draw as themselves.
    EXPECT_EQ(drawWith(RGB(0, 0, 0), RGB(255, 255, 255), 0), RGB(0, 0, 0));
    EXPECT_EQ(drawWith(RGB(255, 255, 255), RGB(255, 255, 255), 1), RGB(255, 255, 255));
    // The background colour draws as the background's pixel, any other
    // colour as the opposite one, however light it is.
    EXPECT_EQ(drawWith(RGB(200, 200, 200), RGB(200, 200, 200), 2), RGB(255, 255, 255));
    EXPECT_EQ(drawWith(RGB(250, 250, 250), RGB(200, 200, 200), 3), RGB(0, 0, 0));
    EXPECT_EQ(drawWith(RGB(10, 10, 10), RGB(30, 30, 30), 4), RGB(255, 255, 255));
    EXPECT_EQ(drawWith(RGB(30, 30, 30), RGB(30, 30, 30), 5), RGB(0, 0, 0));
}

TEST(Monochrome, GreyBrushesAreDitheredFromTheSurfaceOrigin)
{
    Canvas canvas(8, 8, true);
    gdi_test::SolidFill fill(canvas.dc(), RGB(128, 128, 128));
    POINT const all[4] { { 0, 0 }, { 8, 0 }, { 8, 8 }, { 0, 8 } };
    ASSERT_TRUE(Polygon(canvas.dc(), all, 4));
    int white = 0;
    for (std::uint32_t pixel : canvas.Pixels()) {
        ASSERT_TRUE(pixel == 0 || pixel == 0xFFFFFF);
        white += pixel != 0;
    }
    EXPECT_EQ(white, 32); // half of the ordered-dither cell
    // The first row of the 8x8 Bayer cell is 0 32 8 40 2 34 10 42: grey
    // level 32 lights the entries of 32 and above.
    for (int x = 0; x < 8; ++x)
        EXPECT_EQ(GetPixel(canvas.dc(), x, 0), x % 2 ? RGB(255, 255, 255) : RGB(0, 0, 0)) << x;
}

TEST(Monochrome, BlackAndWhiteBrushesAreSolid)
{
    Canvas canvas(4, 2, true);
    {
        gdi_test::SolidFill fill(canvas.dc(), RGB(255, 255, 255));
        POINT const left[4] { { 0, 0 }, { 2, 0 }, { 2, 2 }, { 0, 2 } };
        Polygon(canvas.dc(), left, 4);
    }
    EXPECT_EQ(canvas.Pixels(), (std::vector<std::uint32_t> { 0xFFFFFF, 0xFFFFFF, 0, 0, 0xFFFFFF, 0xFFFFFF, 0, 0 }));
}

TEST(PatBlt, FillsWithTheBrushAndAppliesPatternOperations)
{
    Canvas canvas(4, 3);
    canvas.Fill(0x0000FF);
    HBRUSH brush = CreateSolidBrush(RGB(255, 0, 0));
    HGDIOBJ old = SelectObject(canvas.dc(), brush);
    EXPECT_TRUE(PatBlt(canvas.dc(), 1, 1, 2, 5, PATCOPY)); // clipped at the bottom
    EXPECT_TRUE(PatBlt(canvas.dc(), 0, 0, 1, 1, DSTINVERT));
    EXPECT_TRUE(PatBlt(canvas.dc(), 3, 0, 1, 1, PATINVERT));
    EXPECT_TRUE(PatBlt(canvas.dc(), 3, 2, -1, -1, BLACKNESS)); // covers (3, 2)
    EXPECT_TRUE(PatBlt(canvas.dc(), 100, 100, 5, 5, PATCOPY));  // nothing visible
    EXPECT_FALSE(PatBlt(canvas.dc(), 0, 0, 1, 1, SRCCOPY));     // needs a source
    SelectObject(canvas.dc(), old);
    DeleteObject(brush);
    EXPECT_EQ(canvas.Pixels(), (std::vector<std::uint32_t> { 0xFFFF00, 0x0000FF, 0x0000FF, 0xFF00FF,
                                   0x0000FF, 0xFF0000, 0xFF0000, 0x0000FF,
                                   0x0000FF, 0xFF0000, 0xFF0000, 0x000000 }));
}
