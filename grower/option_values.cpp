#include "grower/option_values.h"

#include <charconv>
#include <cstdlib>

std::optional<std::int64_t> ParseInteger(std::string const& text)
{
    if (text.empty())
        return std::nullopt;
    char const* first = text.data();
    char const* last = text.data() + text.size();
    if (*first == '+')
        ++first;
    if (first == last || (first != text.data() && *first == '-'))
        return std::nullopt;
    std::int64_t value = 0;
    auto const [end, error] = std::from_chars(first, last, value);
    if (error != std::errc() || end != last)
        return std::nullopt;
    return value;
}

namespace {

struct NamedView {
    char const* name;
    ImageView view;
};

// Every view --view knows, in the order the usage lists them.
constexpr NamedView VIEW_NAMES[] = {
    { "map", ImageView::Map },
    { "lower", ImageView::Lower },
    { "upper", ImageView::Upper },
    { "window", ImageView::Window },
    { "texture", ImageView::Texture },
};

}

std::string ViewNameList()
{
    std::string list;
    for (auto const& entry : VIEW_NAMES) {
        if (!list.empty())
            list += '|';
        list += entry.name;
    }
    return list;
}

std::optional<std::int32_t> ParseWhole(std::string const& text, std::int32_t lowest, std::int32_t largest)
{
    if (text.empty() || text.size() > std::to_string(largest).size())
        return std::nullopt;
    std::int32_t value = 0;
    for (char const c : text) {
        if (c < '0' || c > '9')
            return std::nullopt;
        value = value * 10 + (c - '0');
    }
    if (value < lowest || value > largest)
        return std::nullopt;
    return value;
}

char const* ImageViewName(ImageView view)
{
    for (auto const& entry : VIEW_NAMES) {
        if (entry.view == view)
            return entry.name;
    }
    return "?";
}

std::optional<ImageView> ParseImageView(std::string const& name)
{
    for (auto const& entry : VIEW_NAMES) {
        if (name == entry.name)
            return entry.view;
    }
    return std::nullopt;
}

std::optional<double> ParseRelief(std::string const& text)
{
    if (text.empty() || text.size() > 32)
        return std::nullopt;
    int points = 0;
    int digits = 0;
    for (char const c : text) {
        if (c == '.')
            ++points;
        else if (c >= '0' && c <= '9')
            ++digits;
        else
            return std::nullopt;
    }
    if (points > 1 || digits == 0)
        return std::nullopt;
    double const value = std::strtod(text.c_str(), nullptr);
    if (!(value >= 0.0 && value <= MAX_RELIEF))
        return std::nullopt;
    return value;
}

std::optional<ImageSize> ParseImageSize(std::string const& text, std::int32_t largest)
{
    auto const x = text.find('x');
    if (x == std::string::npos)
        return std::nullopt;
    auto const width = ParseWhole(text.substr(0, x), 1, largest);
    auto const height = ParseWhole(text.substr(x + 1), 1, largest);
    if (!width || !height)
        return std::nullopt;
    return ImageSize { *width, *height };
}

std::optional<PixelRegion> ParseRegion(std::string const& text)
{
    auto const first = text.find(',');
    auto const second = first == std::string::npos ? first : text.find(',', first + 1);
    if (second == std::string::npos)
        return std::nullopt;
    auto const left = ParseWhole(text.substr(0, first), 0, MAX_MAP_SIDE - 1);
    auto const top = ParseWhole(text.substr(first + 1, second - first - 1), 0, MAX_MAP_SIDE - 1);
    auto const size = ParseImageSize(text.substr(second + 1));
    if (!left || !top || !size)
        return std::nullopt;
    return PixelRegion { *left, *top, size->width, size->height };
}

std::optional<HeightRange> ParseHeightRange(std::string const& text)
{
    auto const comma = text.find(',');
    if (comma == std::string::npos)
        return std::nullopt;
    auto const number = [](std::string const& part) -> std::optional<double> {
        // Plain decimals: an optional sign, digits with at most one point.
        if (part.empty() || part.size() > 32)
            return std::nullopt;
        std::size_t digits = 0;
        std::size_t points = 0;
        for (std::size_t i = 0; i < part.size(); ++i) {
            char const c = part[i];
            if (c >= '0' && c <= '9')
                ++digits;
            else if (c == '.')
                ++points;
            else if (!(i == 0 && (c == '-' || c == '+')))
                return std::nullopt;
        }
        if (digits == 0 || points > 1)
            return std::nullopt;
        return std::strtod(part.c_str(), nullptr);
    };
    auto const low = number(text.substr(0, comma));
    auto const high = number(text.substr(comma + 1));
    if (!low || !high || !(*low < *high))
        return std::nullopt;
    return HeightRange { *low, *high };
}

