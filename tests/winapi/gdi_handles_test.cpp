// Handle checking, stock objects, deferred deletion and object counts.
#include "gdi_test_support.h"

#include "winapi/gdi/fault_injection.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <set>

using gdi_test::Canvas;
using gdi_test::LiveObjects;

namespace {

template<typename Handle>
Handle Forged(std::uintptr_t bits)
{
    return reinterpret_cast<Handle>(bits);
}

} // namespace

TEST(GdiHandles, DeletedBrushIsStaleEvenAfterItsSlotIsReused)
{
    Canvas canvas(2, 2);
    HBRUSH first = CreateSolidBrush(RGB(1, 2, 3));
    ASSERT_NE(first, nullptr);
    ASSERT_TRUE(DeleteObject(first));
    HBRUSH second = CreateSolidBrush(RGB(4, 5, 6));
    ASSERT_NE(second, nullptr);
    EXPECT_NE(second, first);

    EXPECT_EQ(SelectObject(canvas.dc(), first), nullptr);
    EXPECT_EQ(GetObjectType(first), 0u);
    EXPECT_FALSE(DeleteObject(first)); // double delete
    EXPECT_EQ(GetObjectType(second), DWORD(OBJ_BRUSH));
    EXPECT_TRUE(DeleteObject(second));
}

TEST(GdiHandles, NullGarbageAndWrongTypeHandlesFailWithoutCrashing)
{
    Canvas canvas(2, 2);
    HBRUSH brush = CreateSolidBrush(RGB(9, 9, 9));
    POINT const points[3] { { 0, 0 }, { 1, 0 }, { 0, 1 } };
    for (HDC bad : { HDC(nullptr), reinterpret_cast<HDC>(brush), reinterpret_cast<HDC>(canvas.bitmap()),
             Forged<HDC>(~std::uintptr_t { 0 }), Forged<HDC>(0x12345678), Forged<HDC>(0xdeadbeefcafef00d) }) {
        EXPECT_EQ(SelectObject(bad, brush), nullptr);
        EXPECT_FALSE(Polygon(bad, points, 3));
        EXPECT_FALSE(DeleteDC(bad));
        EXPECT_EQ(GetDeviceCaps(bad, HORZRES), 0);
        EXPECT_EQ(GetPixel(bad, 0, 0), CLR_INVALID);
        EXPECT_EQ(SetTextColor(bad, 0), CLR_INVALID);
        EXPECT_EQ(GetBkColor(bad), CLR_INVALID);
        EXPECT_EQ(SetBkMode(bad, TRANSPARENT), 0);
        EXPECT_EQ(SetPolyFillMode(bad, WINDING), 0);
        EXPECT_EQ(SetStretchBltMode(bad, COLORONCOLOR), 0);
        EXPECT_EQ(CreateCompatibleBitmap(bad, 4, 4), nullptr);
        EXPECT_EQ(CreateCompatibleDC(bad == nullptr ? Forged<HDC>(1) : bad), nullptr);
        EXPECT_FALSE(StretchBlt(bad, 0, 0, 1, 1, canvas.dc(), 0, 0, 1, 1, SRCCOPY));
        EXPECT_FALSE(StretchBlt(canvas.dc(), 0, 0, 1, 1, bad, 0, 0, 1, 1, SRCCOPY));
        EXPECT_EQ(GetCurrentObject(bad, OBJ_BRUSH), nullptr);
    }
    for (HGDIOBJ bad : { HGDIOBJ(nullptr), HGDI_ERROR, Forged<HGDIOBJ>(0x12345678), HGDIOBJ(canvas.dc()) }) {
        EXPECT_EQ(SelectObject(canvas.dc(), bad), nullptr);
        BITMAP info {};
        EXPECT_EQ(GetObjectA(bad, sizeof(info), &info), 0);
    }
    EXPECT_FALSE(DeleteObject(nullptr));
    EXPECT_FALSE(DeleteObject(HGDI_ERROR));
    EXPECT_TRUE(DeleteObject(brush));
}

TEST(GdiHandles, StockObjectsAreDistinctTypedAndNeverDeleted)
{
    std::set<HGDIOBJ> seen;
    for (int index : { WHITE_BRUSH, LTGRAY_BRUSH, GRAY_BRUSH, DKGRAY_BRUSH, BLACK_BRUSH, NULL_BRUSH, DC_BRUSH })
        EXPECT_EQ(GetObjectType(GetStockObject(index)), DWORD(OBJ_BRUSH)) << index;
    for (int index : { WHITE_PEN, BLACK_PEN, NULL_PEN, DC_PEN })
        EXPECT_EQ(GetObjectType(GetStockObject(index)), DWORD(OBJ_PEN)) << index;
    for (int index : { SYSTEM_FONT, DEFAULT_GUI_FONT, ANSI_VAR_FONT })
        EXPECT_EQ(GetObjectType(GetStockObject(index)), DWORD(OBJ_FONT)) << index;
    for (int index = WHITE_BRUSH; index <= DC_PEN; ++index) {
        HGDIOBJ object = GetStockObject(index);
        if (object) {
            EXPECT_TRUE(seen.insert(object).second) << index;
        }
    }
    EXPECT_EQ(GetStockObject(9), nullptr);
    EXPECT_EQ(GetStockObject(-1), nullptr);
    EXPECT_EQ(GetStockObject(1000), nullptr);

    LOGBRUSH logical {};
    ASSERT_EQ(GetObjectA(GetStockObject(LTGRAY_BRUSH), sizeof(logical), &logical), int(sizeof(LOGBRUSH)));
    EXPECT_EQ(logical.lbColor, RGB(192, 192, 192));
    ASSERT_EQ(GetObjectA(GetStockObject(NULL_BRUSH), sizeof(logical), &logical), int(sizeof(LOGBRUSH)));
    EXPECT_EQ(logical.lbStyle, UINT(BS_NULL));

    DWORD const before = LiveObjects();
    EXPECT_TRUE(DeleteObject(GetStockObject(BLACK_BRUSH)));
    EXPECT_TRUE(DeleteObject(GetStockObject(NULL_PEN)));
    EXPECT_EQ(GetObjectType(GetStockObject(BLACK_BRUSH)), DWORD(OBJ_BRUSH));
    EXPECT_EQ(LiveObjects(), before);
}

TEST(GdiHandles, NullPenIsTheStockNullPen)
{
    DWORD const before = LiveObjects();
    HPEN pen = CreatePen(PS_NULL, 5, RGB(1, 2, 3));
    EXPECT_EQ(pen, GetStockObject(NULL_PEN));
    EXPECT_EQ(LiveObjects(), before);
    EXPECT_TRUE(DeleteObject(pen));
    EXPECT_EQ(CreatePen(42, 1, 0), nullptr);

    HPEN solid = CreatePen(PS_SOLID, -3, RGB(7, 8, 9));
    LOGPEN logical {};
    ASSERT_EQ(GetObjectA(solid, sizeof(logical), &logical), int(sizeof(LOGPEN)));
    EXPECT_EQ(logical.lopnStyle, UINT(PS_SOLID));
    EXPECT_EQ(logical.lopnWidth.x, 3);
    EXPECT_EQ(logical.lopnColor, RGB(7, 8, 9));
    EXPECT_EQ(LiveObjects(), before + 1);
    EXPECT_TRUE(DeleteObject(solid));
    EXPECT_EQ(LiveObjects(), before);
}

TEST(GdiHandles, SelectObjectReturnsThePreviousObjectOfThatKind)
{
    Canvas canvas(2, 2);
    HDC dc = canvas.dc();
    EXPECT_EQ(GetCurrentObject(dc, OBJ_BRUSH), GetStockObject(WHITE_BRUSH));
    EXPECT_EQ(GetCurrentObject(dc, OBJ_FONT), GetStockObject(SYSTEM_FONT));
    HBRUSH brush = CreateSolidBrush(RGB(1, 1, 1));
    HPEN pen = CreatePen(PS_SOLID, 1, RGB(2, 2, 2));
    EXPECT_EQ(SelectObject(dc, brush), GetStockObject(WHITE_BRUSH));
    EXPECT_EQ(SelectObject(dc, pen), GetStockObject(BLACK_PEN));
    EXPECT_EQ(SelectObject(dc, brush), brush); // selecting it again
    EXPECT_EQ(SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT)), GetStockObject(SYSTEM_FONT));
    EXPECT_EQ(SelectObject(dc, GetStockObject(BLACK_BRUSH)), brush);
    EXPECT_EQ(SelectObject(dc, GetStockObject(NULL_PEN)), pen);
    EXPECT_TRUE(DeleteObject(brush));
    EXPECT_TRUE(DeleteObject(pen));
    EXPECT_EQ(GetObjectType(brush), 0u);
}

TEST(GdiHandles, DeletingASelectedObjectWaitsForItsRelease)
{
    Canvas canvas(3, 3);
    DWORD const before = LiveObjects();
    HBRUSH brush = CreateSolidBrush(RGB(10, 20, 30));
    HGDIOBJ old = SelectObject(canvas.dc(), brush);
    EXPECT_TRUE(DeleteObject(brush));
    // Still alive and still painting.
    EXPECT_EQ(LiveObjects(), before + 1);
    EXPECT_EQ(GetObjectType(brush), DWORD(OBJ_BRUSH));
    SelectObject(canvas.dc(), GetStockObject(NULL_PEN));
    POINT const rect[4] { { 0, 0 }, { 3, 0 }, { 3, 3 }, { 0, 3 } };
    ASSERT_TRUE(Polygon(canvas.dc(), rect, 4));
    EXPECT_EQ(GetPixel(canvas.dc(), 1, 1), RGB(10, 20, 30));
    // Selecting it out deletes it.
    EXPECT_EQ(SelectObject(canvas.dc(), old), brush);
    EXPECT_EQ(LiveObjects(), before);
    EXPECT_EQ(GetObjectType(brush), 0u);
}

TEST(GdiHandles, DeleteDCDeletesObjectsWaitingForIt)
{
    DWORD const before = LiveObjects();
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP bitmap = CreateBitmap(4, 4, 1, 32, nullptr);
    HBRUSH brush = CreateSolidBrush(RGB(1, 2, 3));
    SelectObject(dc, bitmap);
    SelectObject(dc, brush);
    EXPECT_EQ(LiveObjects(), before + 3);
    EXPECT_TRUE(DeleteObject(bitmap));
    EXPECT_TRUE(DeleteObject(brush));
    EXPECT_EQ(LiveObjects(), before + 3);
    EXPECT_TRUE(DeleteDC(dc));
    EXPECT_EQ(LiveObjects(), before);
    EXPECT_EQ(GetObjectType(bitmap), 0u);
    EXPECT_EQ(GetObjectType(brush), 0u);
    EXPECT_FALSE(DeleteDC(dc));
}

TEST(GdiHandles, BitmapGoesIntoOneMemoryDCAtATime)
{
    Canvas first(2, 2);
    HDC second = CreateCompatibleDC(nullptr);
    EXPECT_EQ(SelectObject(second, first.bitmap()), nullptr);
    // The default bitmap may sit in any number of DCs.
    HBITMAP defaultBitmap = static_cast<HBITMAP>(GetCurrentObject(second, OBJ_BITMAP));
    HDC third = CreateCompatibleDC(nullptr);
    EXPECT_EQ(GetCurrentObject(third, OBJ_BITMAP), defaultBitmap);
    EXPECT_EQ(SelectObject(third, defaultBitmap), defaultBitmap);
    // Bitmaps cannot be selected into DCs that are not memory DCs.
    HDC screen = GetDC(nullptr);
    HBITMAP loose = CreateBitmap(2, 2, 1, 32, nullptr);
    EXPECT_EQ(SelectObject(screen, loose), nullptr);
    ReleaseDC(nullptr, screen);
    DeleteObject(loose);
    DeleteDC(third);
    DeleteDC(second);
}

TEST(GdiHandles, ObjectCountReturnsToWhereItWas)
{
    DWORD const before = LiveObjects();
    {
        Canvas canvas(8, 8);
        EXPECT_EQ(LiveObjects(), before + 2); // the DC and its bitmap
        for (int i = 0; i < 1000; ++i) {
            HBRUSH brush = CreateSolidBrush(RGB(i, i, i));
            HPEN pen = CreatePen(PS_NULL, 0, 0);
            HGDIOBJ oldBrush = SelectObject(canvas.dc(), brush);
            HGDIOBJ oldPen = SelectObject(canvas.dc(), pen);
            POINT const cell[4] { { 1, 1 }, { 3, 1 }, { 3, 2 }, { 1, 2 } };
            Polygon(canvas.dc(), cell, 4);
            SelectObject(canvas.dc(), oldBrush);
            SelectObject(canvas.dc(), oldPen);
            DeleteObject(brush);
            DeleteObject(pen);
        }
        EXPECT_EQ(LiveObjects(), before + 2);
        HDC screen = GetDC(nullptr);
        EXPECT_EQ(LiveObjects(), before + 3);
        EXPECT_EQ(ReleaseDC(nullptr, screen), 1);
        EXPECT_EQ(ReleaseDC(nullptr, screen), 0);
    }
    EXPECT_EQ(LiveObjects(), before);
    EXPECT_EQ(GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS), 0u);
    EXPECT_EQ(GetGuiResources(nullptr, GR_GDIOBJECTS), 0u);
}

TEST(GdiHandles, DeleteObjectOnADCDeletesIt)
{
    DWORD const before = LiveObjects();
    HDC dc = CreateCompatibleDC(nullptr);
    EXPECT_EQ(GetObjectType(dc), DWORD(OBJ_MEMDC));
    EXPECT_TRUE(DeleteObject(dc));
    EXPECT_EQ(GetObjectType(dc), 0u);
    EXPECT_EQ(LiveObjects(), before);
}

TEST(GdiFaultInjection, ArmedCreationsFailThenRecover)
{
    using winapi::testing::FailNextCreations;
    using winapi::testing::GdiCreation;
    HDC screen = GetDC(nullptr);
    DWORD const before = LiveObjects();

    FailNextCreations(GdiCreation::CompatibleBitmap, 2);
    EXPECT_EQ(CreateCompatibleBitmap(screen, 4, 4), nullptr);
    EXPECT_EQ(CreateCompatibleBitmap(screen, 4, 4), nullptr);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, 4, 4);
    EXPECT_NE(bitmap, nullptr);
    DeleteObject(bitmap);

    FailNextCreations(GdiCreation::CompatibleDC, 1);
    EXPECT_EQ(CreateCompatibleDC(screen), nullptr);
    HDC memory = CreateCompatibleDC(screen);
    EXPECT_NE(memory, nullptr);
    DeleteDC(memory);

    FailNextCreations(GdiCreation::SolidBrush, 1);
    FailNextCreations(GdiCreation::Pen, 1);
    EXPECT_EQ(CreateSolidBrush(0), nullptr);
    EXPECT_EQ(CreatePen(PS_NULL, 0, 0), nullptr);

    FailNextCreations(GdiCreation::Bitmap, 5);
    winapi::testing::ClearCreationFailures();
    HBITMAP plain = CreateBitmap(2, 2, 1, 1, nullptr);
    EXPECT_NE(plain, nullptr);
    DeleteObject(plain);

    EXPECT_EQ(LiveObjects(), before);
    ReleaseDC(nullptr, screen);
}
