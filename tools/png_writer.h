#pragma once

#include <cstdint>
#include <cstdio>
#include <functional>
#include <string>

// Fills `rgb` with one row of the image: width pixels of red, green, blue.
using PngRowSource = std::function<void(std::uint32_t row, std::uint8_t* rgb)>;

// Writes an 8-bit RGB PNG of width x height to an open stream, asking for
// the rows top to bottom one at a time, so only one row is held here.
// Returns an empty string on success, else why it failed.
std::string WritePngRgb(std::FILE* stream, std::uint32_t width, std::uint32_t height, PngRowSource const& rows);

// Whether this build can write PNG at all, so --image is refused before any
// work when it cannot.
bool CanWritePng();
