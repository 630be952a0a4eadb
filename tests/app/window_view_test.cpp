// The grower's window view, in process: the program's own window painted
// headless after the growth, with the map buffer made for the given screen.

#include "globe/random.h"
#include "render/map_buffer.h"
#include "tests/app/app_harness.h"
#include "tests/render/map_buffer_reset.h"
#include "grower/grow.h"
#include "grower/window_view.h"

#include <memory>

using namespace app_test;

namespace {

class WindowView : public testing::Test {
protected:
    void SetUp() override
    {
        g_random = RandomGenerator(11, 22, false);
        m_globe = std::make_unique<Globe>();
        GrowPlanet(*m_globe, 301, [](std::int32_t) {});
    }

    void TearDown() override
    {
        g_globe = nullptr;
        ReleaseMapBuffer();
    }

    Image AsImage(WindowPicture const& picture)
    {
        Image image;
        image.width = picture.width;
        image.height = picture.height;
        image.pixels = picture.pixels;
        return image;
    }

    std::unique_ptr<Globe> m_globe;
};

}

TEST_F(WindowView, IsTheErasedWindowWithViewsMapAndStatus)
{
    WindowPicture picture;
    ASSERT_EQ(PaintWindowView(*m_globe, 410, 330, 640, 360, 301, picture), "");
    // The program's planet lived as long as its window.
    EXPECT_EQ(g_globe, nullptr);
    ASSERT_EQ(picture.width, 410);
    ASSERT_EQ(picture.height, 330);
    ASSERT_EQ(picture.pixels.size(), 410u * 330u);

    // The map buffer was made for the screen asked for.
    ASSERT_NE(g_mapDC, nullptr);
    EXPECT_EQ(GetDeviceCaps(g_mapDC, HORZRES), 640);
    EXPECT_EQ(GetDeviceCaps(g_mapDC, VERTRES), 360);
    // Nothing grew while painting.
    EXPECT_EQ(g_dissectCount, 301);

    // The expected pixels are drawn from the grown globe itself.
    g_globe = m_globe.get();
    Layout const layout { 5, 25, 405, 325, 205, 175 };
    Image const expected = ExpectedPaint(Erased(410, 330), layout, 301, false);
    std::string where;
    EXPECT_EQ(CountDifferences(AsImage(picture), expected, &where), 0u) << where;
    EXPECT_GT(NonWhitePixels(AsImage(picture), 5, 175, 405, 325), 40000);
}

TEST_F(WindowView, RowsAreRedGreenBlue)
{
    WindowPicture picture;
    picture.width = 2;
    picture.height = 2;
    picture.pixels = { 0x112233, 0x445566, 0x778899, 0xAABBCC };
    std::uint8_t row[6] = {};
    picture.ReadRow(1, row);
    EXPECT_EQ(std::vector<std::uint8_t>(row, row + 6), (std::vector<std::uint8_t> { 0x77, 0x88, 0x99, 0xAA, 0xBB, 0xCC }));
}
