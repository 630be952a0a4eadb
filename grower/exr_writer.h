#pragma once

#include <cstdint>
#include <cstdio>
#include <functional>
#include <string>

// Fills `values` with row y of the image, width floats; false to give up.
using FloatRowSource = std::function<bool(std::uint32_t y, float* values)>;

// Writes a single-channel ("Y") 32-bit float OpenEXR image of width x height
// scan lines, ZIP-compressed, asking for the rows top to bottom. The stream
// must take seeks, as the line offsets are written last. Empty on success,
// else why it failed.
std::string WriteExrFloat(std::FILE* stream, std::uint32_t width, std::uint32_t height, FloatRowSource const& rows);
