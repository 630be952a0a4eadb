#include "grower/window_view.h"

void WindowPicture::ReadRow(int row, std::uint8_t* rgb) const
{
    std::uint32_t const* pixel = pixels.data() + static_cast<std::size_t>(row) * static_cast<std::size_t>(width);
    for (int x = 0; x < width; ++x, ++pixel) {
        *rgb++ = static_cast<std::uint8_t>(*pixel >> 16);
        *rgb++ = static_cast<std::uint8_t>(*pixel >> 8);
        *rgb++ = static_cast<std::uint8_t>(*pixel);
    }
}
