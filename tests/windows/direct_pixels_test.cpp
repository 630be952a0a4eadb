// On real GDI: the map and both views drawn straight into the pixels of a
// 32-bit DIB section against the same drawings made cell by cell through
// GDI, every pixel equal, on rectangles that are tiny, clipped at each edge,
// off the origin, far wider than the bitmap, reversed or empty; and a
// device-dependent bitmap, whose pixels are out of reach, drawn through GDI.
#include "globe/planet.h"
#include "globe/random.h"
#include "render/hemisphere_views.h"
#include "render/map_view.h"
#include "render/pixel_target.h"
#include "render/screen_bitmap.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>
#include <memory>
#include <vector>

namespace {

constexpr int WIDTH = 160;
constexpr int HEIGHT = 120;

using Drawing = void (*)(HDC, int, int, int, int);

struct Target {
    char const* name;
    RECT rect;
};

std::vector<Target> const TARGETS = {
    { "1x1", { 0, 0, 1, 1 } },
    { "whole bitmap", { 0, 0, WIDTH, HEIGHT } },
    { "odd inside", { 13, 17, 154, 113 } },
    { "clipped left", { -37, 10, 100, 90 } },
    { "clipped top", { 20, -41, 150, 100 } },
    { "clipped right", { 60, 5, 211, 110 } },
    { "clipped bottom", { 7, 50, 150, 175 } },
    { "negative origin", { -80, -60, 90, 70 } },
    { "wider than the bitmap", { -900, -20, 1100, 100 } },
    { "16384 wide", { -8000, 3, 8384, 117 } },
    { "reversed", { 150, 110, 30, 20 } },
    { "empty", { 40, 40, 40, 90 } },
};

// A memory DC holding a 32-bit top-down DIB section, patterned so that
// untouched pixels show.
class DibCanvas {
public:
    DibCanvas()
    {
        HDC const screen = GetDC(nullptr);
        dc = CreateCompatibleDC(screen);
        bitmap = CreateScreenBitmap(screen, WIDTH, HEIGHT);
        ReleaseDC(nullptr, screen);
        original = SelectObject(dc, bitmap);
        DIBSECTION section {};
        GetObjectA(bitmap, sizeof section, &section);
        bits = static_cast<std::uint32_t*>(section.dsBm.bmBits);
        for (int y = 0; y < HEIGHT; ++y) {
            for (int x = 0; x < WIDTH; ++x)
                bits[y * WIDTH + x] = (x * 37 & 0xFF) << 16 | (y * 11 & 0xFF) << 8 | ((x ^ y) & 0xFF);
        }
    }
    ~DibCanvas()
    {
        SelectObject(dc, original);
        DeleteObject(bitmap);
        DeleteDC(dc);
    }
    DibCanvas(DibCanvas const&) = delete;
    DibCanvas& operator=(DibCanvas const&) = delete;

    std::vector<std::uint32_t> Pixels() const
    {
        GdiFlush();
        return std::vector<std::uint32_t>(bits, bits + WIDTH * HEIGHT);
    }

    HDC dc;
    HBITMAP bitmap;
    HGDIOBJ original;
    std::uint32_t* bits;
};

std::vector<std::uint32_t> Pixels(Drawing draw, RECT const& rect, bool direct)
{
    DibCanvas canvas;
    AllowDirectPixels(direct);
    draw(canvas.dc, rect.left, rect.top, rect.right, rect.bottom);
    AllowDirectPixels(true);
    return canvas.Pixels();
}

void ExpectDirectEqualsGdi(Drawing draw, char const* drawing)
{
    for (Target const& target : TARGETS) {
        std::vector<std::uint32_t> const throughGdi = Pixels(draw, target.rect, false);
        std::vector<std::uint32_t> const direct = Pixels(draw, target.rect, true);
        for (std::size_t i = 0; i < direct.size(); ++i) {
            ASSERT_EQ(direct[i], throughGdi[i]) << drawing << ", " << target.name << ": pixel (" << i % WIDTH << ", "
                                                << i / WIDTH << ")";
        }
    }
}

class DirectPixelsOnRealGdi : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        g_random = RandomGenerator(4242, 17, false);
        g_globe = new Globe;
        g_globe->Dissect(300);
    }
    static void TearDownTestSuite()
    {
        delete g_globe;
        g_globe = nullptr;
    }
};

}

TEST_F(DirectPixelsOnRealGdi, ReachesADibSection)
{
    DibCanvas canvas;
    PixelTarget target;
    ASSERT_TRUE(ReachPixels(canvas.dc, target));
    EXPECT_EQ(target.width, WIDTH);
    EXPECT_EQ(target.height, HEIGHT);
    EXPECT_EQ(target.rows.pixels, canvas.bits);
}

TEST_F(DirectPixelsOnRealGdi, MapEqualsTheCellByCellDrawing)
{
    ExpectDirectEqualsGdi(DrawMap, "map");
}

TEST_F(DirectPixelsOnRealGdi, LowerHemisphereEqualsTheCellByCellDrawing)
{
    ExpectDirectEqualsGdi(DrawLowerHemisphere, "lower view");
}

TEST_F(DirectPixelsOnRealGdi, UpperHemisphereEqualsTheCellByCellDrawing)
{
    ExpectDirectEqualsGdi(DrawUpperHemisphere, "upper view");
}

// A bottom-up DIB section stores its rows the other way round.
TEST_F(DirectPixelsOnRealGdi, ABottomUpDibSectionIsDrawnTheSame)
{
    BITMAPINFO info {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = WIDTH;
    info.bmiHeader.biHeight = HEIGHT;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    std::vector<std::uint32_t> results[2];
    for (int direct = 0; direct < 2; ++direct) {
        HDC const dc = CreateCompatibleDC(nullptr);
        void* bits = nullptr;
        HBITMAP const bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        ASSERT_TRUE(bitmap);
        HGDIOBJ const original = SelectObject(dc, bitmap);
        AllowDirectPixels(direct != 0);
        DrawLowerHemisphere(dc, 3, -10, 150, 117);
        DrawMap(dc, 0, 60, WIDTH, HEIGHT);
        AllowDirectPixels(true);
        GdiFlush();
        auto const* pixels = static_cast<std::uint32_t const*>(bits);
        results[direct].assign(pixels, pixels + WIDTH * HEIGHT);
        SelectObject(dc, original);
        DeleteObject(bitmap);
        DeleteDC(dc);
    }
    EXPECT_EQ(results[0], results[1]);
}

// A bitmap compatible with the screen is not a DIB section: GDI draws it.
TEST_F(DirectPixelsOnRealGdi, LeavesADeviceDependentBitmapToGdi)
{
    HDC const screen = GetDC(nullptr);
    HDC const dc = CreateCompatibleDC(screen);
    HBITMAP const bitmap = CreateCompatibleBitmap(screen, WIDTH, HEIGHT);
    ReleaseDC(nullptr, screen);
    HGDIOBJ const original = SelectObject(dc, bitmap);
    PixelTarget target;
    EXPECT_FALSE(ReachPixels(dc, target));
    SelectObject(dc, original);
    DeleteObject(bitmap);
    DeleteDC(dc);
}
