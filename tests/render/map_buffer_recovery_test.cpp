// The map buffer on our own GDI, whose test hooks can make creations fail
// and set the display size.
#include "render/map_buffer.h"
#include "render/map_view.h"
#include "map_buffer_reset.h"
#include "render_test_support.h"

#include "winapi/gdi/fault_injection.h"
#include "winapi/gdi/surface.h"

#include <gtest/gtest.h>

namespace {

using winapi::testing::GdiCreation;

class MapBufferOnOurGdi : public ::testing::Test {
protected:
    void SetUp() override
    {
        ReleaseMapBuffer();
        savedDisplay = winapi::GetDisplaySize();
        // Two pixels per column and one per row.
        winapi::SetDisplaySize(2 * GRID_N, GRID_N);
        globe.Roughen();
        globe.Refresh();
    }
    void TearDown() override
    {
        winapi::testing::ClearCreationFailures();
        ReleaseMapBuffer();
        winapi::SetDisplaySize(savedDisplay.cx, savedDisplay.cy);
    }

    // The buffer exists and holds the current map.
    void ExpectRenderedBuffer()
    {
        ASSERT_NE(g_mapDC, nullptr);
        ASSERT_NE(g_mapBitmap, nullptr);
        EXPECT_EQ(GetCurrentObject(g_mapDC, OBJ_BITMAP), g_mapBitmap);
        EXPECT_EQ(GetPixel(g_mapDC, 0, 0), globe.CellColor(0, 0));
        EXPECT_EQ(GetPixel(g_mapDC, 2 * GRID_N - 1, GRID_N - 1), globe.CellColor(GRID_N - 1, GRID_N - 1));
    }

    TestGlobe globe;
    SIZE savedDisplay {};
};

TEST_F(MapBufferOnOurGdi, AFailedBitmapLeavesNothingBehindAndIsTriedAgain)
{
    DWORD const before = LiveGdiObjects();
    winapi::testing::FailNextCreations(GdiCreation::CompatibleBitmap, 1);
    RenderMapBuffer(nullptr);
    EXPECT_EQ(g_mapDC, nullptr) << "the memory DC of the failed attempt is released";
    EXPECT_EQ(g_mapBitmap, nullptr);
    EXPECT_EQ(LiveGdiObjects(), before);

    TestSurface destination(64, 36, WHITENESS);
    DrawMapBuffer(destination.DC(), 0, 0, 64, 36);
    EXPECT_EQ(destination.Pixel(10, 10), RGB(255, 255, 255)) << "nothing to copy yet";

    RenderMapBuffer(nullptr);
    ExpectRenderedBuffer();
    EXPECT_EQ(LiveGdiObjects(), before + 2 + 2) << "the destination's DC and bitmap, the buffer's DC and bitmap";
    DrawMapBuffer(destination.DC(), 0, 0, 64, 36);
    EXPECT_NE(destination.Pixel(10, 10), RGB(255, 255, 255)) << "the map shows once the buffer exists";
}

TEST_F(MapBufferOnOurGdi, AFailedMemoryDcLeavesNothingBehindAndIsTriedAgain)
{
    DWORD const before = LiveGdiObjects();
    winapi::testing::FailNextCreations(GdiCreation::CompatibleDC, 1);
    RenderMapBuffer(nullptr);
    EXPECT_EQ(g_mapDC, nullptr);
    EXPECT_EQ(g_mapBitmap, nullptr) << "the bitmap of the failed attempt is deleted";
    EXPECT_EQ(LiveGdiObjects(), before);

    RenderMapBuffer(nullptr);
    ExpectRenderedBuffer();
    EXPECT_EQ(LiveGdiObjects(), before + 2);
}

TEST_F(MapBufferOnOurGdi, KeepsTryingUntilCreationSucceeds)
{
    DWORD const before = LiveGdiObjects();
    winapi::testing::FailNextCreations(GdiCreation::CompatibleBitmap, 2);
    winapi::testing::FailNextCreations(GdiCreation::CompatibleDC, 3);
    for (int attempt = 0; attempt < 3; ++attempt) {
        RenderMapBuffer(nullptr);
        EXPECT_EQ(g_mapDC, nullptr) << attempt;
        EXPECT_EQ(g_mapBitmap, nullptr) << attempt;
        EXPECT_EQ(LiveGdiObjects(), before) << attempt;
    }
    RenderMapBuffer(nullptr);
    ExpectRenderedBuffer();
}

TEST_F(MapBufferOnOurGdi, CellsWhoseBrushCannotBeMadeLeaveTheCountBalanced)
{
    RenderMapBuffer(nullptr);
    DWORD const before = LiveGdiObjects();
    winapi::testing::FailNextCreations(GdiCreation::SolidBrush, 10);
    winapi::testing::FailNextCreations(GdiCreation::Pen, 10);
    RenderMapBuffer(nullptr);
    EXPECT_EQ(LiveGdiObjects(), before);
    EXPECT_EQ(GetPixel(g_mapDC, 2 * GRID_N - 1, GRID_N - 1), globe.CellColor(GRID_N - 1, GRID_N - 1));
}

TEST_F(MapBufferOnOurGdi, IsTheMapDrawnOverADisplayOfAnySize)
{
    // What the grower's map image relies on: the buffer at a display of
    // W x H holds exactly DrawMap over (0, 0, W, H) on a black surface.
    for (SIZE const size : { SIZE { 97, 61 }, SIZE { 2 * GRID_N, GRID_N + 3 }, SIZE { 1, 1 } }) {
        ReleaseMapBuffer();
        winapi::SetDisplaySize(size.cx, size.cy);
        RenderMapBuffer(nullptr);
        ASSERT_NE(g_mapDC, nullptr);
        BITMAP info {};
        GetObjectA(g_mapBitmap, sizeof info, &info);
        EXPECT_EQ(info.bmWidth, size.cx);
        EXPECT_EQ(info.bmHeight, size.cy);

        TestSurface reference(size.cx, size.cy);
        DrawMap(reference.DC(), 0, 0, size.cx, size.cy);
        int differences = 0;
        for (int y = 0; y < size.cy; ++y) {
            for (int x = 0; x < size.cx; ++x)
                differences += GetPixel(g_mapDC, x, y) != reference.Pixel(x, y);
        }
        EXPECT_EQ(differences, 0) << size.cx << "x" << size.cy;
    }
}

}
