#include "grower/exr_writer.h"

#include <OpenEXR/ImfChannelList.h>
#include <OpenEXR/ImfFrameBuffer.h>
#include <OpenEXR/ImfHeader.h>
#include <OpenEXR/ImfIO.h>
#include <OpenEXR/ImfOutputFile.h>

#include <exception>
#include <stdexcept>
#include <vector>

namespace {

// OpenEXR's output stream over a stdio stream, counted from where the
// stream stood when the image began.
class StdioOutput final : public Imf::OStream {
public:
    explicit StdioOutput(std::FILE* file)
        : Imf::OStream("heightmap")
        , file(file)
        , start(ftello(file))
    {
    }

    void write(char const c[], int n) override
    {
        if (std::fwrite(c, 1, static_cast<std::size_t>(n), file) != static_cast<std::size_t>(n))
            throw std::runtime_error("the write failed");
    }

    std::uint64_t tellp() override { return static_cast<std::uint64_t>(ftello(file) - start); }

    void seekp(std::uint64_t position) override
    {
        if (fseeko(file, start + static_cast<off_t>(position), SEEK_SET) != 0)
            throw std::runtime_error("the file cannot be sought in, as OpenEXR needs");
    }

private:
    std::FILE* file;
    off_t start;
};

}

std::string WriteExrFloat(std::FILE* stream, std::uint32_t width, std::uint32_t height, FloatRowSource const& rows)
{
    if (width == 0 || height == 0 || width > 0x7FFFFFFFu || height > 0x7FFFFFFFu)
        return "image size " + std::to_string(width) + "x" + std::to_string(height) + " cannot be written as EXR";
    try {
        StdioOutput output(stream);
        Imf::Header header(static_cast<int>(width), static_cast<int>(height));
        header.channels().insert("Y", Imf::Channel(Imf::FLOAT));
        header.compression() = Imf::ZIP_COMPRESSION;
        Imf::OutputFile file(output, header);
        std::vector<float> row(width);
        for (std::uint32_t y = 0; y < height; ++y) {
            if (!rows(y, row.data()))
                return "the image's rows could not be made";
            Imf::FrameBuffer frame;
            frame.insert("Y",
                Imf::Slice::Make(Imf::FLOAT, row.data(), Imath::V2i(0, static_cast<int>(y)), width, 1, sizeof(float)));
            file.setFrameBuffer(frame);
            file.writePixels(1);
        }
    } catch (std::bad_alloc const&) {
        throw;
    } catch (std::exception const& failure) {
        return std::string("EXR encoding failed: ") + failure.what();
    }
    return {};
}
