#include "winapi/user/icons.h"

#include "winapi/resources/module_resources.h"

#include <cstdlib>
#include <cstring>

namespace winapi::user {

namespace {

QImage ToQImage(resources::IconImage const& image)
{
    if (image.width <= 0 || image.height <= 0
        || image.pixels.size() != static_cast<std::size_t>(image.width) * static_cast<std::size_t>(image.height))
        return {};
    // 0xAARRGGBB with straight alpha is Qt's ARGB32.
    QImage result(image.width, image.height, QImage::Format_ARGB32);
    for (int y = 0; y < image.height; ++y)
        std::memcpy(result.scanLine(y), &image.pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(image.width)],
            static_cast<std::size_t>(image.width) * sizeof(std::uint32_t));
    return result;
}

}

QIcon IconFromHandle(HICON icon)
{
    QIcon result;
    auto const* loaded = resources::IconFromHandle(icon);
    if (!loaded)
        return result;
    for (auto const& image : loaded->images) {
        QImage const converted = ToQImage(image);
        if (!converted.isNull())
            result.addPixmap(QPixmap::fromImage(converted));
    }
    return result;
}

QImage IconImageNearest(HICON icon, int side)
{
    auto const* loaded = resources::IconFromHandle(icon);
    if (!loaded)
        return {};
    resources::IconImage const* best = nullptr;
    auto const score = [side](resources::IconImage const& image) {
        int const difference = image.width - side;
        // Exact first, then the smallest larger one, then the largest smaller one.
        return difference >= 0 ? difference : 100000 - difference;
    };
    for (auto const& image : loaded->images) {
        if (!best || score(image) < score(*best))
            best = &image;
    }
    return best ? ToQImage(*best) : QImage();
}

}
