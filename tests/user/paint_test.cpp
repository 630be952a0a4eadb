// The paint cycle: update regions, erasing, BeginPaint's clipping, resizes,
// window DCs and what the Qt window shows.

#include "user_test_support.h"

#include "winapi/gdi/surface.h"

#include <QApplication>
#include <QWidget>

#include <climits>

using namespace user_test;
namespace wt = winapi::testing;

namespace {

constexpr std::uint32_t Red = 0xFF0000;
constexpr std::uint32_t Blue = 0x0000FF;

class PaintTest : public UserTest { };

// Fills the whole client area with `color` (0x00RRGGBB) on every WM_PAINT and
// records the PAINTSTRUCT.
struct PaintRecorder {
    std::uint32_t color = Red;
    bool fill = true;
    std::vector<PAINTSTRUCT> paints;

    void Install()
    {
        g_handler = [this](HWND hwnd, UINT message, WPARAM, LPARAM) -> std::optional<LRESULT> {
            if (message != WM_PAINT)
                return std::nullopt;
            PAINTSTRUCT paint;
            HDC const dc = BeginPaint(hwnd, &paint);
            paints.push_back(paint);
            if (fill) {
                RECT client;
                GetClientRect(hwnd, &client);
                HBRUSH const brush = CreateSolidBrush(RGB((color >> 16) & 0xFF, (color >> 8) & 0xFF, color & 0xFF));
                FillRect(dc, &client, brush);
                DeleteObject(brush);
            }
            EndPaint(hwnd, &paint);
            return 0;
        };
    }
};

bool AllPixels(HWND hwnd, std::uint32_t color)
{
    auto const image = wt::ClientSurface(hwnd);
    for (auto const pixel : image.pixels) {
        if (pixel != color)
            return false;
    }
    return !image.pixels.empty();
}

TEST_F(PaintTest, AFirstShowErasesToTheClassBackground)
{
    HWND const hwnd = CreateShownWindow(120, 80);
    EXPECT_TRUE(AllPixels(hwnd, White));
    EXPECT_EQ(Count(WM_ERASEBKGND), 1u);
    EXPECT_EQ(Count(WM_PAINT), 1u);
}

TEST_F(PaintTest, WithoutEraseTheOldPictureStaysToBeDrawnOver)
{
    PaintRecorder recorder;
    recorder.Install();
    HWND const hwnd = CreateShownWindow(120, 80);
    EXPECT_TRUE(AllPixels(hwnd, Red));

    recorder.fill = false;
    InvalidateRect(hwnd, nullptr, FALSE);
    UpdateWindow(hwnd);
    ASSERT_EQ(recorder.paints.size(), 2u);
    EXPECT_FALSE(recorder.paints.back().fErase);
    EXPECT_TRUE(AllPixels(hwnd, Red));

    InvalidateRect(hwnd, nullptr, TRUE);
    UpdateWindow(hwnd);
    EXPECT_TRUE(AllPixels(hwnd, White));
}

TEST_F(PaintTest, DrawingIsConfinedToTheUpdateRegion)
{
    PaintRecorder recorder;
    recorder.Install();
    HWND const hwnd = CreateShownWindow(100, 60);
    recorder.color = Blue;
    RECT const first { 10, 10, 20, 30 };
    RECT const second { 50, 40, 60, 45 };
    InvalidateRect(hwnd, &first, FALSE);
    InvalidateRect(hwnd, &second, FALSE);
    UpdateWindow(hwnd);

    PAINTSTRUCT const& paint = recorder.paints.back();
    EXPECT_EQ(paint.rcPaint.left, 10);
    EXPECT_EQ(paint.rcPaint.top, 10);
    EXPECT_EQ(paint.rcPaint.right, 60);
    EXPECT_EQ(paint.rcPaint.bottom, 45);

    auto const image = wt::ClientSurface(hwnd);
    for (int y = 0; y < image.height; ++y) {
        for (int x = 0; x < image.width; ++x) {
            bool const inside = (x >= 10 && x < 20 && y >= 10 && y < 30) || (x >= 50 && x < 60 && y >= 40 && y < 45);
            ASSERT_EQ(image.At(x, y), inside ? Blue : Red) << x << "," << y;
        }
    }
}

TEST_F(PaintTest, TheEraseCoversOnlyTheUpdateRegion)
{
    PaintRecorder recorder;
    recorder.Install();
    HWND const hwnd = CreateShownWindow(100, 60);
    recorder.fill = false;
    RECT const area { 30, 20, 40, 25 };
    InvalidateRect(hwnd, &area, TRUE);
    UpdateWindow(hwnd);
    EXPECT_EQ(Pixel(hwnd, 30, 20), White);
    EXPECT_EQ(Pixel(hwnd, 39, 24), White);
    EXPECT_EQ(Pixel(hwnd, 40, 24), Red);
    EXPECT_EQ(Pixel(hwnd, 29, 20), Red);
}

TEST_F(PaintTest, AProgramThatErasesItselfSeesFEraseFalseAndOneThatDoesNotSeesTrue)
{
    std::optional<LRESULT> eraseAnswer = 1;
    std::vector<BOOL> fErase;
    g_handler = [&](HWND hwnd, UINT message, WPARAM, LPARAM) -> std::optional<LRESULT> {
        if (message == WM_ERASEBKGND)
            return eraseAnswer;
        if (message == WM_PAINT) {
            PAINTSTRUCT paint;
            BeginPaint(hwnd, &paint);
            fErase.push_back(paint.fErase);
            EndPaint(hwnd, &paint);
            return 0;
        }
        return std::nullopt;
    };
    HWND const hwnd = CreateShownWindow(40, 30);
    eraseAnswer = 0;
    InvalidateRect(hwnd, nullptr, TRUE);
    UpdateWindow(hwnd);
    EXPECT_EQ(fErase, (std::vector<BOOL> { FALSE, TRUE }));
}

TEST_F(PaintTest, OddRectanglesAreClippedOrNormalised)
{
    PaintRecorder recorder;
    recorder.Install();
    HWND const hwnd = CreateShownWindow(50, 40);

    RECT const huge { INT_MIN, INT_MIN, INT_MAX, INT_MAX };
    InvalidateRect(hwnd, &huge, FALSE);
    UpdateWindow(hwnd);
    EXPECT_EQ(recorder.paints.back().rcPaint.right, 50);
    EXPECT_EQ(recorder.paints.back().rcPaint.bottom, 40);

    RECT const inverted { 30, 20, 10, 5 };
    InvalidateRect(hwnd, &inverted, FALSE);
    UpdateWindow(hwnd);
    EXPECT_EQ(recorder.paints.back().rcPaint.left, 10);
    EXPECT_EQ(recorder.paints.back().rcPaint.top, 5);
    EXPECT_EQ(recorder.paints.back().rcPaint.right, 30);
    EXPECT_EQ(recorder.paints.back().rcPaint.bottom, 20);

    std::size_t const paints = recorder.paints.size();
    RECT const outside { 60, 60, 90, 90 };
    RECT const empty { 10, 10, 10, 30 };
    InvalidateRect(hwnd, &outside, TRUE);
    InvalidateRect(hwnd, &empty, TRUE);
    UpdateWindow(hwnd);
    EXPECT_EQ(recorder.paints.size(), paints);
}

TEST_F(PaintTest, UpdateWindowPaintsAtOnceOnlyWhenSomethingIsInvalid)
{
    HWND const hwnd = CreateShownWindow();
    g_messages.clear();
    UpdateWindow(hwnd);
    EXPECT_EQ(Count(WM_PAINT), 0u);
    InvalidateRect(hwnd, nullptr, FALSE);
    UpdateWindow(hwnd);
    EXPECT_EQ(Count(WM_PAINT), 1u);
    ValidateRect(hwnd, nullptr);
    RECT update;
    EXPECT_FALSE(GetUpdateRect(hwnd, &update, FALSE));
}

TEST_F(PaintTest, AResizeWithRedrawStylesInvalidatesAllWithErase)
{
    PaintRecorder recorder;
    recorder.Install();
    HWND const hwnd = CreateShownWindow(100, 50);
    recorder.fill = false;
    g_messages.clear();

    ASSERT_TRUE(wt::ResizeClient(hwnd, 160, 50));
    wt::PumpUntilIdle();
    RECT client;
    GetClientRect(hwnd, &client);
    EXPECT_EQ(client.right, 160);
    EXPECT_EQ(client.bottom, 50);
    EXPECT_TRUE(AllPixels(hwnd, White));
    EXPECT_EQ(recorder.paints.back().rcPaint.right, 160);

    auto const size = std::find_if(g_messages.begin(), g_messages.end(), [](auto const& m) { return m.message == WM_SIZE; });
    ASSERT_NE(size, g_messages.end());
    EXPECT_EQ(LOWORD(size->lParam), 160);
    EXPECT_EQ(HIWORD(size->lParam), 50);
}

TEST_F(PaintTest, AResizeWithoutRedrawStylesKeepsThePixelsAndPaintsTheNewPart)
{
    PaintRecorder recorder;
    recorder.Install();
    HWND const hwnd = CreateShownWindow(60, 40, 0);
    recorder.fill = false;

    ASSERT_TRUE(wt::ResizeClient(hwnd, 80, 50));
    wt::PumpUntilIdle();
    PAINTSTRUCT const& paint = recorder.paints.back();
    EXPECT_EQ(paint.rcPaint.left, 0);
    EXPECT_EQ(paint.rcPaint.top, 0);
    EXPECT_EQ(paint.rcPaint.right, 80);
    EXPECT_EQ(paint.rcPaint.bottom, 50);
    EXPECT_EQ(Pixel(hwnd, 59, 39), Red);
    EXPECT_EQ(Pixel(hwnd, 60, 10), White);
    EXPECT_EQ(Pixel(hwnd, 10, 40), White);

    // Shrinking uncovers nothing: no paint at all.
    std::size_t const paints = recorder.paints.size();
    ASSERT_TRUE(wt::ResizeClient(hwnd, 30, 20));
    wt::PumpUntilIdle();
    EXPECT_EQ(recorder.paints.size(), paints);
    EXPECT_EQ(Pixel(hwnd, 29, 19), Red);
}

TEST_F(PaintTest, ResizingTheQtWindowResizesTheClientArea)
{
    PaintRecorder recorder;
    recorder.Install();
    HWND const hwnd = CreateShownWindow(100, 50);
    QWidget* frame = nullptr;
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (widget->isVisible() && widget->windowTitle() == QStringLiteral("Test"))
            frame = widget;
    }
    ASSERT_NE(frame, nullptr);
    frame->resize(130, 70); // as the user drags the frame
    recorder.color = Blue;
    wt::PumpUntilIdle();
    RECT client;
    GetClientRect(hwnd, &client);
    EXPECT_EQ(client.right, 130);
    EXPECT_EQ(client.bottom, 70);
    EXPECT_TRUE(AllPixels(hwnd, Blue));
}

TEST_F(PaintTest, OddClientSizesNeverBreakPainting)
{
    PaintRecorder recorder;
    recorder.Install();
    HWND const hwnd = CreateShownWindow(100, 100);
    struct Size {
        int width;
        int height;
        int expectedWidth;
        int expectedHeight;
    };
    for (auto const size : { Size { 0, 0, 0, 0 }, Size { 1, 1, 1, 1 }, Size { 7, 3, 7, 3 }, Size { 0, 20, 0, 20 },
             Size { -5, 10, 0, 10 }, Size { 100000, 2, 16384, 2 }, Size { 3, 2, 3, 2 } }) {
        ASSERT_TRUE(wt::ResizeClient(hwnd, size.width, size.height));
        wt::PumpUntilIdle();
        RECT client;
        GetClientRect(hwnd, &client);
        EXPECT_EQ(client.right, size.expectedWidth);
        EXPECT_EQ(client.bottom, size.expectedHeight);
        auto const surface = wt::ClientSurface(hwnd);
        EXPECT_EQ(surface.pixels.size(), static_cast<std::size_t>(size.expectedWidth) * static_cast<std::size_t>(size.expectedHeight));
        if (!surface.pixels.empty()) {
            EXPECT_EQ(surface.width, size.expectedWidth);
            EXPECT_EQ(surface.height, size.expectedHeight);
            EXPECT_EQ(surface.At(surface.width - 1, surface.height - 1), Red);
        }
    }
}

TEST_F(PaintTest, TheQtWindowShowsTheSurfaceWithoutAskingForAPaint)
{
    PaintRecorder recorder;
    recorder.Install();
    HWND const hwnd = CreateShownWindow(90, 70);
    RECT const area { 10, 20, 30, 40 };
    recorder.color = Blue;
    InvalidateRect(hwnd, &area, FALSE);
    UpdateWindow(hwnd);
    g_messages.clear();

    auto const surface = wt::ClientSurface(hwnd);
    auto const shown = wt::ShownClient(hwnd);
    ASSERT_EQ(shown.width, surface.width);
    ASSERT_EQ(shown.height, surface.height);
    EXPECT_EQ(shown.pixels, surface.pixels);
    EXPECT_EQ(Count(WM_PAINT), 0u);
}

TEST_F(PaintTest, AWindowDCDrawsOnTheClientSurfaceAndKnowsTheScreen)
{
    HWND const hwnd = CreateShownWindow(50, 50);
    HDC const dc = GetDC(hwnd);
    ASSERT_NE(dc, nullptr);
    SIZE const display = winapi::GetDisplaySize();
    EXPECT_EQ(GetDeviceCaps(dc, HORZRES), display.cx);
    EXPECT_EQ(GetDeviceCaps(dc, VERTRES), display.cy);
    RECT const area { 5, 5, 10, 10 };
    HBRUSH const brush = CreateSolidBrush(RGB(0, 0, 255));
    FillRect(dc, &area, brush);
    DeleteObject(brush);
    EXPECT_EQ(ReleaseDC(hwnd, dc), 1);
    EXPECT_EQ(ReleaseDC(hwnd, dc), 0);
    EXPECT_EQ(Pixel(hwnd, 5, 5), Blue);
    EXPECT_EQ(Pixel(hwnd, 10, 10), White);
}

TEST_F(PaintTest, PaintDCsAreReleasedAndAWindowLeavesNoGdiObjectsBehind)
{
    DWORD const before = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
    {
        PaintRecorder recorder;
        recorder.Install();
        HWND const hwnd = CreateShownWindow(30, 30);
        for (int i = 0; i < 5; ++i) {
            InvalidateRect(hwnd, nullptr, i % 2);
            UpdateWindow(hwnd);
        }
        HDC const forgotten = GetDC(hwnd);
        ASSERT_NE(forgotten, nullptr);
        DestroyWindow(hwnd);
        g_handler = nullptr;
    }
    EXPECT_EQ(GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS), before);
}

}
