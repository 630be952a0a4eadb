// On real GDI: the map and both views drawn straight into the pixels of a
// 32-bit DIB section against the same drawings made cell by cell through
// GDI (tests/render/direct_drawing_check.h), also into a bottom-up one; and a
// device-dependent bitmap, whose pixels are out of reach, drawn through GDI.
#include "globe/planet.h"
#include "globe/random.h"
#include "render/drawing_levels.h"
#include "render/hemisphere_views.h"
#include "render/map_view.h"
#include "render/memory_canvas.h"
#include "render/pixel_target.h"
#include "tests/render/direct_drawing_check.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <vector>

namespace {

using namespace direct_drawing;

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
    MemoryCanvas canvas(WIDTH, HEIGHT);
    PixelTarget target;
    ASSERT_TRUE(ReachPixels(canvas.DC(), target));
    EXPECT_EQ(target.width, WIDTH);
    EXPECT_EQ(target.height, HEIGHT);
    EXPECT_EQ(target.rows.pixels, canvas.Row(0));
}

TEST_F(DirectPixelsOnRealGdi, MapEqualsTheCellByCellDrawing)
{
    ExpectDirectEqualsGdi(DrawMapAt, "map");
}

TEST_F(DirectPixelsOnRealGdi, LowerHemisphereEqualsTheCellByCellDrawing)
{
    ExpectDirectEqualsGdi(DrawLowerHemisphereAt, "lower view");
}

TEST_F(DirectPixelsOnRealGdi, UpperHemisphereEqualsTheCellByCellDrawing)
{
    ExpectDirectEqualsGdi(DrawUpperHemisphereAt, "upper view");
}

// A bottom-up DIB section stores its rows the other way round. Made here by
// hand: every canvas of ours is top-down.
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
    MemoryCanvas canvas(WIDTH, HEIGHT, CanvasBitmap::DeviceDependent);
    ASSERT_TRUE(canvas.Valid());
    PixelTarget target;
    EXPECT_FALSE(ReachPixels(canvas.DC(), target));
}
