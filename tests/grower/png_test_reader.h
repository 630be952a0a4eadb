// Decodes a PNG for the tests with libpng's simplified reader.
#pragma once

#include <png.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

struct DecodedPng {
    bool ok = false;
    std::string error;
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    bool rgb8 = false; // stored as 8-bit RGB, no alpha, no palette
    std::vector<std::uint8_t> rgb; // width * height * 3

    std::uint32_t Pixel(std::uint32_t x, std::uint32_t y) const
    {
        std::uint8_t const* p = &rgb[(static_cast<std::size_t>(y) * width + x) * 3];
        return static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8
            | static_cast<std::uint32_t>(p[2]) << 16;
    }
};

inline DecodedPng ReadPng(std::string const& path)
{
    DecodedPng result;
    png_image image;
    std::memset(&image, 0, sizeof image);
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&image, path.c_str())) {
        result.error = image.message;
        return result;
    }
    result.width = image.width;
    result.height = image.height;
    result.rgb8 = image.format == PNG_FORMAT_RGB;
    image.format = PNG_FORMAT_RGB;
    result.rgb.resize(PNG_IMAGE_SIZE(image));
    if (!png_image_finish_read(&image, nullptr, result.rgb.data(), 0, nullptr)) {
        result.error = image.message;
        png_image_free(&image);
        return result;
    }
    result.ok = true;
    return result;
}
