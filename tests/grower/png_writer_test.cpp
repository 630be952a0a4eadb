#include "png_test_reader.h"
#include "grower/png_writer.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>

namespace {

namespace fs = std::filesystem;

class PngWriter : public ::testing::Test {
protected:
    void SetUp() override
    {
        path = fs::temp_directory_path()
            / ("morva-png-" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()) + ".png");
    }
    void TearDown() override { fs::remove(path); }

    fs::path path;
};

TEST_F(PngWriter, WritesEightBitRgbRowsTopToBottom)
{
    std::uint32_t const width = 37;
    std::uint32_t const height = 23;
    std::FILE* file = std::fopen(path.c_str(), "wb");
    ASSERT_NE(file, nullptr);
    std::vector<std::uint32_t> asked;
    std::string const error = WritePngRgb(file, width, height, [&](std::uint32_t row, std::uint8_t* rgb) {
        asked.push_back(row);
        for (std::uint32_t x = 0; x < width; ++x) {
            rgb[3 * x] = static_cast<std::uint8_t>(x * 7);
            rgb[3 * x + 1] = static_cast<std::uint8_t>(row * 11);
            rgb[3 * x + 2] = static_cast<std::uint8_t>(x ^ row);
        }
    });
    std::fclose(file);
    ASSERT_EQ(error, "");
    for (std::uint32_t y = 0; y < height; ++y)
        ASSERT_EQ(asked[y], y);

    DecodedPng const png = ReadPng(path.string());
    ASSERT_TRUE(png.ok) << png.error;
    EXPECT_TRUE(png.rgb8);
    ASSERT_EQ(png.width, width);
    ASSERT_EQ(png.height, height);
    for (std::uint32_t y = 0; y < height; ++y) {
        for (std::uint32_t x = 0; x < width; ++x) {
            std::uint32_t const wanted = (x * 7 & 0xFF) | (y * 11 & 0xFF) << 8 | ((x ^ y) & 0xFF) << 16;
            ASSERT_EQ(png.Pixel(x, y), wanted) << x << "," << y;
        }
    }
}

TEST_F(PngWriter, ReportsAStreamThatCannotBeWritten)
{
    {
        std::FILE* create = std::fopen(path.c_str(), "wb");
        ASSERT_NE(create, nullptr);
        std::fclose(create);
    }
    std::FILE* readOnly = std::fopen(path.c_str(), "rb");
    ASSERT_NE(readOnly, nullptr);
    std::string const error = WritePngRgb(readOnly, 4, 4, [](std::uint32_t, std::uint8_t* rgb) {
        for (int i = 0; i < 12; ++i)
            rgb[i] = 0;
    });
    std::fclose(readOnly);
    EXPECT_NE(error, "");
}

TEST_F(PngWriter, RefusesAnEmptyImage)
{
    std::FILE* file = std::fopen(path.c_str(), "wb");
    ASSERT_NE(file, nullptr);
    auto const never = [](std::uint32_t, std::uint8_t*) { FAIL() << "no row of an empty image is asked for"; };
    EXPECT_NE(WritePngRgb(file, 0, 5, never), "");
    EXPECT_NE(WritePngRgb(file, 5, 0, never), "");
    std::fclose(file);
}

}
