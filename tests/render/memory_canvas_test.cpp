#include "render/memory_canvas.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <cstdint>
#include <vector>

namespace {

TEST(MemoryCanvas, StartsBlackAtItsSize)
{
    MemoryCanvas const canvas(7, 5);
    ASSERT_TRUE(canvas.Valid());
    EXPECT_EQ(canvas.Width(), 7);
    EXPECT_EQ(canvas.Height(), 5);
    EXPECT_EQ(canvas.Pixels(), std::vector<std::uint32_t>(7 * 5, 0u));
    EXPECT_EQ(GetPixel(canvas.DC(), 6, 4), RGB(0, 0, 0));
}

// Rows are top to bottom and pixels 0x00RRGGBB, whatever GDI drew them.
TEST(MemoryCanvas, RowsShowWhatGdiDrewTopRowFirst)
{
    MemoryCanvas const canvas(9, 4);
    ASSERT_TRUE(canvas.Valid());
    SetPixel(canvas.DC(), 0, 0, RGB(0x12, 0x34, 0x56));
    SetPixel(canvas.DC(), 8, 3, RGB(0xFE, 0x01, 0x80));
    std::uint32_t const* top = canvas.Row(0);
    std::uint32_t const* bottom = canvas.Row(3);
    ASSERT_TRUE(top && bottom);
    EXPECT_EQ(top[0], 0x123456u);
    EXPECT_EQ(bottom[8] & 0xFFFFFF, 0xFE0180u);
    EXPECT_EQ(canvas.Row(4), nullptr);
    EXPECT_EQ(canvas.Row(-1), nullptr);

    std::vector<std::uint32_t> const pixels = canvas.Pixels();
    ASSERT_EQ(pixels.size(), 9u * 4u);
    EXPECT_EQ(pixels[0], 0x123456u);
    EXPECT_EQ(pixels[3 * 9 + 8], 0xFE0180u);
    EXPECT_EQ(pixels[1], 0u);
}

// What is written into a row is what GDI reads and copies.
TEST(MemoryCanvas, PixelsWrittenIntoARowAreGdis)
{
    MemoryCanvas const canvas(6, 3);
    ASSERT_TRUE(canvas.Valid());
    canvas.Row(1)[2] = 0xA0B0C0;
    EXPECT_EQ(GetPixel(canvas.DC(), 2, 1), RGB(0xA0, 0xB0, 0xC0));

    MemoryCanvas const copy(6, 3);
    ASSERT_TRUE(copy.Valid());
    BitBlt(copy.DC(), 0, 0, 6, 3, canvas.DC(), 0, 0, SRCCOPY);
    EXPECT_EQ(copy.Pixels(), canvas.Pixels());
}

TEST(MemoryCanvas, FillsWithARasterOperation)
{
    MemoryCanvas const canvas(4, 4);
    ASSERT_TRUE(canvas.Valid());
    canvas.Fill(WHITENESS);
    EXPECT_EQ(canvas.Pixels(), std::vector<std::uint32_t>(16, 0xFFFFFFu));
}

// A device-dependent canvas is read through GDI where its pixels are out of
// reach, and reads the same.
TEST(MemoryCanvas, ADeviceDependentCanvasReadsTheSame)
{
    MemoryCanvas const canvas(5, 3, CanvasBitmap::DeviceDependent);
    ASSERT_TRUE(canvas.Valid());
    SetPixel(canvas.DC(), 4, 2, RGB(0x10, 0x20, 0x30));
    std::vector<std::uint32_t> const pixels = canvas.Pixels();
    ASSERT_EQ(pixels.size(), 15u);
    EXPECT_EQ(pixels[2 * 5 + 4], 0x102030u);
    EXPECT_EQ(pixels[0], 0u);
}

}
