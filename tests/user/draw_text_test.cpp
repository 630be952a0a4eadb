// DrawTextA: placement, the opaque background box, colours, clipping,
// measuring, prefixes and odd arguments.

#include "user_test_support.h"

#include <algorithm>
#include <climits>
#include <cstring>
#include <optional>

#if defined(__x86_64__) || defined(__i386__)
#include <cpuid.h>
#endif

using namespace user_test;
namespace wt = winapi::testing;

namespace {

constexpr std::uint32_t Blue = 0x0000FF;
constexpr std::uint32_t Black = 0x000000;
constexpr char Status[] = "Globe is 75x75 points, 1 dissects";

struct Box {
    int left = INT_MAX;
    int top = INT_MAX;
    int right = INT_MIN; // exclusive
    int bottom = INT_MIN;
    bool Empty() const { return right <= left; }
};

// The bounding box of the pixels that are not `background`.
Box ChangedBox(wt::Image const& image, std::uint32_t background)
{
    Box box;
    for (int y = 0; y < image.height; ++y) {
        for (int x = 0; x < image.width; ++x) {
            if (image.At(x, y) == background)
                continue;
            box.left = std::min(box.left, x);
            box.top = std::min(box.top, y);
            box.right = std::max(box.right, x + 1);
            box.bottom = std::max(box.bottom, y + 1);
        }
    }
    return box;
}

std::size_t CountPixels(wt::Image const& image, std::uint32_t color)
{
    return static_cast<std::size_t>(std::count(image.pixels.begin(), image.pixels.end(), color));
}

// Whether the upper halves of the AVX registers are in use, as the
// processor's XINUSE word says; nullopt where it cannot be read.
std::optional<bool> AvxUpperHalvesInUse()
{
#if defined(__x86_64__) || defined(__i386__)
    unsigned a, b, c, d;
    bool const hasAvx = __get_cpuid(1, &a, &b, &c, &d) && (c & bit_AVX) != 0;
    bool const readsInUse = __get_cpuid_count(0xD, 1, &a, &b, &c, &d) && (a & (1u << 2)) != 0;
    if (!hasAvx || !readsInUse)
        return std::nullopt;
    unsigned low, high;
    asm volatile("xgetbv" : "=a"(low), "=d"(high) : "c"(1));
    return (low & (1u << 2)) != 0;
#else
    return std::nullopt;
#endif
}

class DrawTextTest : public UserTest {
protected:
    void SetUp() override
    {
        UserTest::SetUp();
        m_window = CreateShownWindow(400, 80);
        m_dc = GetDC(m_window);
        RECT client;
        GetClientRect(m_window, &client);
        HBRUSH const blue = CreateSolidBrush(RGB(0, 0, 255));
        FillRect(m_dc, &client, blue);
        DeleteObject(blue);
    }

    void TearDown() override
    {
        ReleaseDC(m_window, m_dc);
        UserTest::TearDown();
    }

    SIZE Measure(char const* text, UINT format = 0)
    {
        RECT rect { 0, 0, 0, 0 };
        DrawTextA(m_dc, text, -1, &rect, format | DT_CALCRECT);
        return SIZE { rect.right - rect.left, rect.bottom - rect.top };
    }

    wt::Image Surface() { return wt::ClientSurface(m_window); }

    HWND m_window = nullptr;
    HDC m_dc = nullptr;
};

TEST_F(DrawTextTest, CentredTextSitsOnAnOpaqueWhiteBoxAtTheTopOfItsRectangle)
{
    SIZE const size = Measure(Status);
    ASSERT_GT(size.cx, 0);
    ASSERT_GT(size.cy, 0);
    RECT rect { 5, 0, 395, 25 };
    int const height = DrawTextA(m_dc, Status, static_cast<int>(std::strlen(Status)), &rect, DT_CENTER);
    EXPECT_EQ(height, size.cy);

    auto const image = Surface();
    Box const box = ChangedBox(image, Blue);
    EXPECT_EQ(box.left, 5 + (390 - size.cx) / 2);
    EXPECT_EQ(box.right, box.left + size.cx);
    EXPECT_EQ(box.top, 0);
    EXPECT_EQ(box.bottom, std::min<int>(size.cy, 25));
    // Inside the box only the text colour and the background colour.
    for (int y = box.top; y < box.bottom; ++y) {
        for (int x = box.left; x < box.right; ++x) {
            auto const pixel = image.At(x, y);
            ASSERT_TRUE(pixel == White || pixel == Black) << x << "," << y;
        }
    }
    EXPECT_GT(CountPixels(image, Black), 50u);
    EXPECT_GT(CountPixels(image, White), CountPixels(image, Black));
}

// Qt's drawing may leave the AVX registers' upper halves in use, which
// slows every SSE instruction after it several times over.
TEST_F(DrawTextTest, LeavesTheAvxRegistersUpperHalvesClear)
{
    if (!AvxUpperHalvesInUse())
        GTEST_SKIP() << "this processor does not say";
    RECT rect { 5, 0, 395, 25 };
    DrawTextA(m_dc, Status, -1, &rect, DT_CENTER);
    EXPECT_FALSE(*AvxUpperHalvesInUse());
}

TEST_F(DrawTextTest, CentringTruncatesTowardZeroForReversedRectangles)
{
    SIZE const size = Measure("Wide text");
    RECT rect { 200, 10, 149, 40 }; // width -51
    DrawTextA(m_dc, "Wide text", -1, &rect, DT_CENTER | DT_NOCLIP);
    Box const box = ChangedBox(Surface(), Blue);
    EXPECT_EQ(box.left, 200 + (-51 - size.cx) / 2);

    // Without DT_NOCLIP the reversed rectangle clips everything away.
    SetUp();
    DrawTextA(m_dc, "Wide text", -1, &rect, DT_CENTER);
    EXPECT_TRUE(ChangedBox(Surface(), Blue).Empty());
}

TEST_F(DrawTextTest, TransparentModeAndTextColour)
{
    SetBkMode(m_dc, TRANSPARENT);
    SetTextColor(m_dc, RGB(255, 0, 0));
    RECT rect { 0, 0, 400, 30 };
    DrawTextA(m_dc, Status, -1, &rect, DT_LEFT);
    auto const image = Surface();
    EXPECT_EQ(CountPixels(image, White), 0u);
    EXPECT_EQ(CountPixels(image, Black), 0u);
    std::size_t const red = CountPixels(image, 0xFF0000);
    EXPECT_GT(red, 50u);
    EXPECT_EQ(red + CountPixels(image, Blue), image.pixels.size());
}

TEST_F(DrawTextTest, TextIsClippedToItsRectangleUnlessNoClip)
{
    RECT rect { 10, 10, 40, 20 };
    DrawTextA(m_dc, Status, -1, &rect, DT_LEFT);
    Box const clipped = ChangedBox(Surface(), Blue);
    EXPECT_GE(clipped.left, 10);
    EXPECT_LE(clipped.right, 40);
    EXPECT_GE(clipped.top, 10);
    EXPECT_LE(clipped.bottom, 20);

    SetUp();
    DrawTextA(m_dc, Status, -1, &rect, DT_LEFT | DT_NOCLIP);
    Box const unclipped = ChangedBox(Surface(), Blue);
    EXPECT_GT(unclipped.right, 40);
    EXPECT_GT(unclipped.bottom, 20);
}

TEST_F(DrawTextTest, MeasuringDrawsNothingAndCountsLines)
{
    SIZE const one = Measure("Line");
    SIZE const two = Measure("Line\r\nLine");
    SIZE const single = Measure("Line\r\nLine", DT_SINGLELINE);
    EXPECT_EQ(two.cy, 2 * one.cy);
    EXPECT_EQ(two.cx, one.cx);
    EXPECT_EQ(single.cy, one.cy);
    EXPECT_GT(single.cx, one.cx);
    EXPECT_TRUE(ChangedBox(Surface(), Blue).Empty());

    RECT rect { 0, 0, 400, 80 };
    EXPECT_EQ(DrawTextA(m_dc, "a\nb\nc", -1, &rect, DT_LEFT), 3 * one.cy);
}

TEST_F(DrawTextTest, VerticalCentringOfASingleLine)
{
    SIZE const size = Measure("Mid");
    RECT rect { 0, 10, 100, 71 };
    int const bottom = DrawTextA(m_dc, "Mid", -1, &rect, DT_SINGLELINE | DT_VCENTER);
    int const top = 10 + (61 - size.cy) / 2;
    EXPECT_EQ(ChangedBox(Surface(), Blue).top, top);
    EXPECT_EQ(bottom, top - 10 + size.cy);
}

TEST_F(DrawTextTest, PrefixCharactersAreRemovedUnlessNoPrefix)
{
    EXPECT_EQ(Measure("A&&B").cx, Measure("A&B", DT_NOPREFIX).cx);
    EXPECT_EQ(Measure("&AB").cx, Measure("AB").cx);
    EXPECT_GT(Measure("&AB", DT_NOPREFIX).cx, Measure("AB").cx);
}

TEST_F(DrawTextTest, MemoryDCsOfColourAndMonochromeBitmapsWork)
{
    HDC const memory = CreateCompatibleDC(m_dc);
    HBITMAP const bitmap = CreateCompatibleBitmap(m_dc, 200, 30);
    HGDIOBJ const old = SelectObject(memory, bitmap);
    RECT rect { 0, 0, 200, 30 };
    EXPECT_GT(DrawTextA(memory, "Text", -1, &rect, DT_CENTER), 0);
    EXPECT_EQ(GetPixel(memory, 0, 0), RGB(0, 0, 0)); // outside the text box
    bool sawWhite = false;
    for (int x = 0; x < 200; ++x)
        sawWhite = sawWhite || GetPixel(memory, x, 2) == RGB(255, 255, 255);
    EXPECT_TRUE(sawWhite);
    SelectObject(memory, old);
    DeleteObject(bitmap);

    // A fresh memory DC holds GDI's 1x1 monochrome bitmap.
    EXPECT_GT(DrawTextA(memory, "Text", -1, &rect, DT_LEFT), 0);
    COLORREF const pixel = GetPixel(memory, 0, 0);
    EXPECT_TRUE(pixel == RGB(0, 0, 0) || pixel == RGB(255, 255, 255));
    DeleteDC(memory);
}

TEST_F(DrawTextTest, BadArgumentsDrawNothing)
{
    RECT rect { 0, 0, 100, 30 };
    EXPECT_EQ(DrawTextA(nullptr, "x", -1, &rect, 0), 0);
    EXPECT_EQ(DrawTextA(m_dc, "x", -1, nullptr, 0), 0);
    EXPECT_EQ(DrawTextA(m_dc, nullptr, 3, &rect, 0), 0);
    EXPECT_EQ(DrawTextA(m_dc, "x", -7, &rect, 0), 0);
    RECT far { INT_MAX - 5, INT_MIN, INT_MIN, INT_MAX };
    DrawTextA(m_dc, Status, -1, &far, DT_CENTER | DT_NOCLIP);
    DrawTextA(m_dc, Status, -1, &far, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    EXPECT_TRUE(ChangedBox(Surface(), Blue).Empty());
}

TEST_F(DrawTextTest, PixelsKeepTheirTopByteClear)
{
    RECT rect { 0, 0, 400, 80 };
    DrawTextA(m_dc, Status, -1, &rect, DT_CENTER);
    for (auto const pixel : Surface().pixels)
        ASSERT_EQ(pixel & 0xFF000000u, 0u);
}

}
