#include "grower/png_writer.h"

#include <png.h>

#include <functional>
#include <new>
#include <string>
#include <vector>

namespace {

struct PngFailure {
    char message[256];
};

[[noreturn]] void OnPngError(png_structp png, png_const_charp message)
{
    auto* failure = static_cast<PngFailure*>(png_get_error_ptr(png));
    std::snprintf(failure->message, sizeof failure->message, "%s", message);
    png_longjmp(png, 1);
}

void OnPngWarning(png_structp, png_const_charp) { }

bool RanOutOfMemory(char const* message)
{
    std::string text(message);
    for (char& c : text)
        c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    return text.find("memory") != std::string::npos;
}

// Puts row y into the row buffer in PNG's own byte order.
using RowFiller = std::function<void(std::uint32_t y, png_bytep row)>;

struct PngLayout {
    int bitDepth;
    int colorType;
    std::size_t bytesPerPixel;
};

constexpr PngLayout RGB8 { 8, PNG_COLOR_TYPE_RGB, 3 };
constexpr PngLayout GRAY16 { 16, PNG_COLOR_TYPE_GRAY, 2 };

// Everything libpng may jump out of lives here, with no C++ object that
// needs a destructor: a longjmp over one would skip it.
bool EncodeRows(png_structp png, png_infop info, std::FILE* stream, std::uint32_t width, std::uint32_t height,
    PngLayout const* layout, RowFiller const* rows, png_bytep row)
{
    if (setjmp(png_jmpbuf(png)))
        return false;
    png_init_io(png, stream);
    png_set_IHDR(png, info, width, height, layout->bitDepth, layout->colorType, PNG_INTERLACE_NONE,
        PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    for (std::uint32_t y = 0; y < height; ++y) {
        (*rows)(y, row);
        png_write_row(png, row);
    }
    png_write_end(png, info);
    return true;
}

std::string WritePng(std::FILE* stream, std::uint32_t width, std::uint32_t height, PngLayout const& layout,
    RowFiller const& rows)
{
    if (width == 0 || height == 0 || width > PNG_USER_WIDTH_MAX || height > PNG_USER_HEIGHT_MAX)
        return "image size " + std::to_string(width) + "x" + std::to_string(height) + " cannot be written as PNG";

    // libpng fails to start only without memory for its structures.
    PngFailure failure {};
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, &failure, OnPngError, OnPngWarning);
    if (!png)
        throw std::bad_alloc();
    png_infop info = png_create_info_struct(png);
    if (!info) {
        png_destroy_write_struct(&png, nullptr);
        throw std::bad_alloc();
    }
    std::vector<png_byte> row(static_cast<std::size_t>(width) * layout.bytesPerPixel);
    bool const written = EncodeRows(png, info, stream, width, height, &layout, &rows, row.data());
    png_destroy_write_struct(&png, &info);
    // Memory that ran out in libpng or zlib ("Insufficient memory",
    // "insufficient memory", "Out of Memory") is no fault of the file.
    if (!written && RanOutOfMemory(failure.message))
        throw std::bad_alloc();
    if (!written)
        return std::string("PNG encoding failed: ") + failure.message;
    return {};
}

}

std::string WritePngRgb(std::FILE* stream, std::uint32_t width, std::uint32_t height, PngRowSource const& rows)
{
    return WritePng(stream, width, height, RGB8, [&](std::uint32_t y, png_bytep row) { rows(y, row); });
}

std::string WritePngGray16(std::FILE* stream, std::uint32_t width, std::uint32_t height, PngGray16RowSource const& rows)
{
    std::vector<std::uint16_t> values(width);
    return WritePng(stream, width, height, GRAY16, [&](std::uint32_t y, png_bytep row) {
        rows(y, values.data());
        // PNG stores 16-bit samples most significant byte first.
        for (std::uint32_t x = 0; x < width; ++x) {
            row[2 * x] = static_cast<png_byte>(values[x] >> 8);
            row[2 * x + 1] = static_cast<png_byte>(values[x] & 0xFF);
        }
    });
}
