#include "grower/sample_writers.h"

#include "render/elevation_pixels.h"
#include "render/float_conversion.h"
#include "grower/png_writer.h"
#ifdef MORVA_HAS_OPENEXR
#include "grower/exr_writer.h"
#endif

#include <algorithm>
#include <cstring>
#include <vector>

namespace {

constexpr char STOPPED[] = "the run stopped before the file was complete";

// A sample's bits as a whole number: a float's IEEE pattern, read as the
// machine holds it, so the bytes below come out the same on every machine.
std::uint32_t SampleBits(std::uint16_t sample)
{
    return sample;
}

std::uint32_t SampleBits(float sample)
{
    std::uint32_t bits = 0;
    std::memcpy(&bits, &sample, sizeof bits);
    return bits;
}

// Raw samples, least significant byte first, top row first, no header.
template<typename Sample, typename Convert>
std::string WriteRaw(std::FILE* stream, ImageSize size, RadiusRowSource const& rows, Convert&& convert)
{
    std::size_t const width = static_cast<std::size_t>(size.width);
    std::vector<unsigned char> bytes(width * sizeof(Sample));
    for (std::int32_t y = 0; y < size.height; ++y) {
        double const* radii = rows(y);
        if (!radii)
            return STOPPED;
        for (std::size_t x = 0; x < width; ++x) {
            std::uint32_t const bits = SampleBits(static_cast<Sample>(convert(radii[x])));
            for (std::size_t b = 0; b < sizeof(Sample); ++b)
                bytes[x * sizeof(Sample) + b] = static_cast<unsigned char>(bits >> (8 * b));
        }
        if (std::fwrite(bytes.data(), 1, bytes.size(), stream) != bytes.size())
            return "write failed";
    }
    return {};
}

}

std::string WriteHeightSamples(std::FILE* stream, HeightmapFormat format, ImageSize size, RadiusRange range,
    RadiusRowSource const& rows)
{
    auto const height = [&](double radius) { return HeightValue(radius, range); };
    switch (format) {
    case HeightmapFormat::Raw16:
        return WriteRaw<std::uint16_t>(stream, size, rows, height);
    case HeightmapFormat::Raw32:
        return WriteRaw<float>(stream, size, rows, [](double radius) { return RoundToSingle(radius); });
    case HeightmapFormat::Png: {
        bool stopped = false;
        std::string const failure = WritePngGray16(stream, static_cast<std::uint32_t>(size.width),
            static_cast<std::uint32_t>(size.height), [&](std::uint32_t y, std::uint16_t* values) {
                double const* radii = rows(static_cast<std::int32_t>(y));
                stopped = stopped || !radii;
                for (std::int32_t x = 0; x < size.width; ++x)
                    values[x] = radii ? height(radii[x]) : 0;
            });
        return stopped ? STOPPED : failure;
    }
    case HeightmapFormat::Exr:
#ifdef MORVA_HAS_OPENEXR
        return WriteExrFloat(stream, static_cast<std::uint32_t>(size.width), static_cast<std::uint32_t>(size.height),
            [&](std::uint32_t y, float* values) {
                double const* radii = rows(static_cast<std::int32_t>(y));
                if (!radii)
                    return false;
                for (std::int32_t x = 0; x < size.width; ++x)
                    values[x] = RoundToSingle(radii[x]);
                return true;
            });
#else
        break;
#endif
    }
    return "this build cannot write ." + std::string(HeightmapFormatName(format)) + " files";
}

std::string WriteColorSamples(std::FILE* stream, ImageSize size, float meanRadius, float maxRadius,
    RadiusRowSource const& rows)
{
    bool stopped = false;
    std::vector<std::uint32_t> pixels(static_cast<std::size_t>(size.width));
    std::string const failure = WritePngRgb(stream, static_cast<std::uint32_t>(size.width),
        static_cast<std::uint32_t>(size.height), [&](std::uint32_t y, std::uint8_t* rgb) {
            double const* radii = rows(static_cast<std::int32_t>(y));
            stopped = stopped || !radii;
            if (radii)
                ElevationPixelsOfRadii(radii, pixels.size(), meanRadius, maxRadius, pixels.data());
            else
                std::fill(pixels.begin(), pixels.end(), 0);
            for (std::size_t x = 0; x < pixels.size(); ++x) {
                rgb[3 * x] = static_cast<std::uint8_t>(pixels[x] >> 16);
                rgb[3 * x + 1] = static_cast<std::uint8_t>(pixels[x] >> 8);
                rgb[3 * x + 2] = static_cast<std::uint8_t>(pixels[x]);
            }
        });
    return stopped ? STOPPED : failure;
}
