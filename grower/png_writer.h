#pragma once

#include <cstdint>
#include <cstdio>
#include <functional>
#include <string>

// Fills `rgb` with one row of the image: width pixels of red, green, blue.
using PngRowSource = std::function<void(std::uint32_t row, std::uint8_t* rgb)>;

// Fills `values` with one row of a greyscale image: width native 16-bit values.
using PngGray16RowSource = std::function<void(std::uint32_t row, std::uint16_t* values)>;

// Write an 8-bit RGB or a 16-bit greyscale PNG of width x height to an open
// stream, asking for the rows top to bottom one at a time, so only one row
// is held here. Return an empty string on success, else why it failed;
// throw std::bad_alloc when the encoder runs out of memory.
std::string WritePngRgb(std::FILE* stream, std::uint32_t width, std::uint32_t height, PngRowSource const& rows);
std::string WritePngGray16(std::FILE* stream, std::uint32_t width, std::uint32_t height, PngGray16RowSource const& rows);
