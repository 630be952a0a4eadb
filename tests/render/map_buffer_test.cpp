#include "render/map_buffer.h"
#include "render/map_view.h"
#include "map_buffer_reset.h"
#include "render_test_support.h"

#include <gtest/gtest.h>

#include <set>

namespace {

// Every test starts with the buffer absent, as at start-up, and releases
// what it made.
class MapBuffer : public ::testing::Test {
protected:
    void SetUp() override
    {
        ReleaseMapBuffer();
        globe.Roughen();
        globe.Refresh();
        HDC const screen = GetDC(nullptr);
        displayWidth = GetDeviceCaps(screen, HORZRES);
        displayHeight = GetDeviceCaps(screen, VERTRES);
        ReleaseDC(nullptr, screen);
    }
    void TearDown() override { ReleaseMapBuffer(); }

    TestGlobe globe;
    int displayWidth = 0;
    int displayHeight = 0;
};

TEST_F(MapBuffer, CopyingAnAbsentBufferLeavesTheDestinationAlone)
{
    TestSurface destination(40, 30, WHITENESS);
    DrawMapBuffer(destination.DC(), 0, 0, 40, 30);
    for (int y = 0; y < 30; ++y) {
        for (int x = 0; x < 40; ++x)
            ASSERT_EQ(destination.Pixel(x, y), RGB(255, 255, 255));
    }
}

TEST_F(MapBuffer, TheFirstRenderMakesADisplaySizedColourBuffer)
{
    ASSERT_GT(displayWidth, 0);
    ASSERT_GT(displayHeight, 0);
    DWORD const before = LiveGdiObjects();
    RenderMapBuffer(nullptr);
    ASSERT_NE(g_mapDC, nullptr);
    ASSERT_NE(g_mapBitmap, nullptr);
    if (GdiObjectsAreCounted()) {
        EXPECT_EQ(LiveGdiObjects(), before + 2) << "the DC and its bitmap, nothing else";
    }

    EXPECT_EQ(GetCurrentObject(g_mapDC, OBJ_BITMAP), g_mapBitmap);
    BITMAP info {};
    ASSERT_EQ(GetObjectA(g_mapBitmap, sizeof info, &info), static_cast<int>(sizeof info));
    EXPECT_EQ(info.bmWidth, displayWidth);
    EXPECT_EQ(info.bmHeight, displayHeight);
    EXPECT_EQ(info.bmBitsPixel, 32);
    EXPECT_EQ(GetDeviceCaps(g_mapDC, HORZRES), displayWidth);
    EXPECT_EQ(GetDeviceCaps(g_mapDC, VERTRES), displayHeight);
}

TEST_F(MapBuffer, HoldsTheMapDrawnOverTheWholeDisplay)
{
    RenderMapBuffer(nullptr);
    ASSERT_NE(g_mapDC, nullptr);
    TestSurface reference(displayWidth, displayHeight);
    DrawMap(reference.DC(), 0, 0, displayWidth, displayHeight);
    int differences = 0;
    for (int y = 0; y < displayHeight; y += 3) {
        for (int x = 0; x < displayWidth; ++x)
            differences += GetPixel(g_mapDC, x, y) != reference.Pixel(x, y);
    }
    EXPECT_EQ(differences, 0);
    EXPECT_EQ(GetPixel(g_mapDC, 0, 0), globe.CellColor(0, 0));
}

TEST_F(MapBuffer, LaterRendersRedrawTheSameBuffer)
{
    RenderMapBuffer(nullptr);
    HDC const dc = g_mapDC;
    HBITMAP const bitmap = g_mapBitmap;
    COLORREF const first = GetPixel(g_mapDC, 0, 0);

    // Lower the pole: the next render shows it.
    globe.Point(0, 0) = { 0.0f, 0.0f, 1.0f };
    globe.Refresh();
    DWORD const before = LiveGdiObjects();
    RenderMapBuffer(nullptr);
    EXPECT_EQ(g_mapDC, dc);
    EXPECT_EQ(g_mapBitmap, bitmap);
    EXPECT_EQ(LiveGdiObjects(), before);
    EXPECT_NE(GetPixel(g_mapDC, 0, 0), first);
    EXPECT_EQ(GetPixel(g_mapDC, 0, 0), globe.CellColor(0, 0));
}

TEST_F(MapBuffer, ACopyShowsOnlyColoursOfTheMap)
{
    // Alternate deep ocean and peaks column by column: any blend of two
    // neighbours is a colour that neither cell has.
    for (int i = 0; i < GRID_N; ++i) {
        for (int k = 0; k < GRID_N; ++k)
            globe.Point(i, k) = { 0.0f, 0.0f, k % 2 ? 2000.0f : 100.0f };
    }
    globe.Refresh();
    RenderMapBuffer(nullptr);
    std::set<COLORREF> const allowed = { globe.CellColor(0, 0), globe.CellColor(0, 1), RGB(0, 0, 0) };

    // Shrunk to well under half the display, as in the window.
    int const width = displayWidth / 3 + 1;
    int const height = displayHeight / 3 + 1;
    TestSurface destination(width + 10, height + 10);
    EXPECT_EQ(SetStretchBltMode(destination.DC(), BLACKONWHITE), BLACKONWHITE) << "GDI's default";
    DrawMapBuffer(destination.DC(), 5, 5, 5 + width, 5 + height);
    int foreign = 0;
    for (int y = 5; y < 5 + height; ++y) {
        for (int x = 5; x < 5 + width; ++x)
            foreign += allowed.count(destination.Pixel(x, y)) == 0;
    }
    EXPECT_EQ(foreign, 0);
    EXPECT_EQ(GetStretchBltMode(destination.DC()), BLACKONWHITE) << "the destination's mode is restored";

    // The copy is exactly a COLORONCOLOR stretch of the whole buffer.
    TestSurface expected(width + 10, height + 10);
    SetStretchBltMode(expected.DC(), COLORONCOLOR);
    StretchBlt(expected.DC(), 5, 5, width, height, g_mapDC, 0, 0, displayWidth, displayHeight, SRCCOPY);
    int differences = 0;
    for (int y = 0; y < height + 10; ++y) {
        for (int x = 0; x < width + 10; ++x)
            differences += destination.Pixel(x, y) != expected.Pixel(x, y);
    }
    EXPECT_EQ(differences, 0);
}

TEST_F(MapBuffer, TheCopyRestoresWhateverModeTheDestinationHad)
{
    RenderMapBuffer(nullptr);
    TestSurface destination(100, 60);
    for (int mode : { BLACKONWHITE, WHITEONBLACK, COLORONCOLOR, HALFTONE }) {
        SetStretchBltMode(destination.DC(), mode);
        DrawMapBuffer(destination.DC(), 0, 0, 100, 60);
        EXPECT_EQ(GetStretchBltMode(destination.DC()), mode);
    }
}

TEST_F(MapBuffer, ACopyIntoAHugeRectangleIsSafe)
{
    RenderMapBuffer(nullptr);
    TestSurface destination(16, 16);
    DWORD const before = LiveGdiObjects();
    DrawMapBuffer(destination.DC(), -2147483647 - 1, -2147483647 - 1, 2147483647, 2147483647);
    DrawMapBuffer(destination.DC(), 10, 10, 10, 10);
    EXPECT_EQ(LiveGdiObjects(), before);
}

}
