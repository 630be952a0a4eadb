// Draws a fixed list of pictures with GDI and writes their pixels, so that
// the same program built on our GDI and on real GDI (under Wine) can be
// compared pixel for pixel:
//   morva_gdi_parity_<N> --draw FILE         write every picture to FILE
//   morva_gdi_parity_<N> --compare A B       report every pixel that differs
// Each picture is stored as its name, width, height and COLORREFs row by row.

#include "globe/globe.h"
#include "globe/planet.h"
#include "globe/random.h"
#include "render/hemisphere_views.h"
#include "render/map_view.h"
#include "render/memory_canvas.h"

#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <memory>
#include <random>
#include <string>
#include <vector>

namespace {

struct Picture {
    std::string name;
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;
};

// A width x height canvas, filled with one colour. Its bitmap is the one
// compatible with the screen: on real GDI a device-dependent bitmap, so the
// views are drawn through GDI there rather than straight into pixels.
class Canvas {
public:
    Canvas(int width, int height, DWORD fill = WHITENESS)
        : canvas(width, height, CanvasBitmap::DeviceDependent)
    {
        canvas.Fill(fill);
    }

    HDC DC() const { return canvas.DC(); }

    Picture Snapshot(std::string name) const
    {
        Picture picture { std::move(name), canvas.Width(), canvas.Height(), {} };
        picture.pixels.reserve(static_cast<std::size_t>(canvas.Width()) * canvas.Height());
        for (int y = 0; y < canvas.Height(); ++y) {
            for (int x = 0; x < canvas.Width(); ++x)
                picture.pixels.push_back(GetPixel(canvas.DC(), x, y));
        }
        return picture;
    }

private:
    MemoryCanvas canvas;
};

void FillPolygon(HDC dc, std::vector<POINT> const& points, COLORREF color)
{
    HBRUSH const brush = CreateSolidBrush(color);
    HGDIOBJ const oldBrush = SelectObject(dc, brush);
    HGDIOBJ const oldPen = SelectObject(dc, GetStockObject(NULL_PEN));
    Polygon(dc, points.data(), static_cast<int>(points.size()));
    SelectObject(dc, oldPen);
    SelectObject(dc, oldBrush);
    DeleteObject(brush);
}

// Polygons whose vertices reach up to `margin` beyond every edge of the
// canvas, so every edge clips. Each one has its own colour, which names it
// in a report: the batch's index k is in the red and green bytes.
void DrawPolygonBatches(std::vector<Picture>& out, char const* kind, int batches, int perBatch, int vertices,
    bool star, std::mt19937& engine)
{
    constexpr int WIDTH = 211;
    constexpr int HEIGHT = 157;
    constexpr int MARGIN = 40;
    std::uniform_int_distribution<int> xs(-MARGIN, WIDTH + MARGIN);
    std::uniform_int_distribution<int> ys(-MARGIN, HEIGHT + MARGIN);
    std::uniform_int_distribution<int> radii(3, 70);
    std::uniform_real_distribution<double> turn(0.0, 6.283185307179586);
    for (int batch = 0; batch < batches; ++batch) {
        Canvas canvas(WIDTH, HEIGHT);
        for (int k = 0; k < perBatch; ++k) {
            std::vector<POINT> points;
            if (star) {
                // Concave: alternating outer and inner radii around a centre.
                int const cx = xs(engine);
                int const cy = ys(engine);
                int const outer = radii(engine);
                double const start = turn(engine);
                for (int v = 0; v < vertices; ++v) {
                    double const angle = start + v * 6.283185307179586 / vertices;
                    int const r = v % 2 ? outer / 3 : outer;
                    // Integer-only placement, so both builds get the same points.
                    int const dx = static_cast<int>(r * (angle < 3.14159 ? 1 : -1) * ((v * 37 + batch) % 11) / 10);
                    int const dy = static_cast<int>(r * ((v * 53 + k) % 13 - 6) / 6);
                    points.push_back({ cx + dx, cy + dy });
                }
            } else {
                for (int v = 0; v < vertices; ++v)
                    points.push_back({ xs(engine), ys(engine) });
            }
            FillPolygon(canvas.DC(), points, RGB(k & 0xff, (k >> 8) + 16 * batch % 200, 90 + vertices));
        }
        std::string name = "polygon ";
        name += kind;
        name += " batch ";
        name += std::to_string(batch);
        out.push_back(canvas.Snapshot(name));
    }
}

void DrawPolygons(std::vector<Picture>& out)
{
    std::mt19937 engine(1234567);
    // Few polygons per picture, so that most edges stay visible.
    DrawPolygonBatches(out, "triangles", 50, 24, 3, false, engine);
    DrawPolygonBatches(out, "quadrilaterals", 40, 24, 4, false, engine);
    DrawPolygonBatches(out, "concave stars", 25, 24, 10, true, engine);
    DrawPolygonBatches(out, "self-intersecting", 25, 16, 6, false, engine);
    DrawPolygonBatches(out, "self-intersecting long", 10, 8, 13, false, engine);

    // Tiny and degenerate shapes on a small canvas: slivers, points, lines,
    // and vertices far outside it.
    Canvas canvas(37, 29);
    std::vector<std::vector<POINT>> const shapes = {
        { { 5, 5 }, { 6, 5 }, { 5, 6 } },
        { { 10, 2 }, { 10, 2 }, { 10, 2 } },
        { { 0, 0 }, { 36, 1 }, { 0, 1 } },
        { { 3, 20 }, { 30, 21 }, { 31, 20 }, { 4, 22 } },
        { { -1000, -1000 }, { 1000, 14 }, { -1000, 28 } },
        { { 18, -5000 }, { 19, 5000 }, { 21, -5000 } },
        { { 20, 10 }, { 25, 15 }, { 20, 20 }, { 15, 15 } },
        { { 1, 27 }, { 35, 27 }, { 35, 28 }, { 1, 28 } },
    };
    int index = 0;
    for (auto const& shape : shapes) {
        ++index;
        FillPolygon(canvas.DC(), shape, RGB(20 * index, 255 - 20 * index, 7));
    }
    out.push_back(canvas.Snapshot("polygon small and degenerate"));
}

void GrowPlanet()
{
    g_random = RandomGenerator(4711, 815, false);
    g_globe = new Globe;
    g_globe->Dissect(1);
    for (int batch = 0; batch < 8; ++batch)
        g_globe->Dissect(50);
}

struct Rect {
    int left, top, right, bottom;
};

std::string Describe(Rect r)
{
    char text[64];
    std::snprintf(text, sizeof text, "(%d,%d)-(%d,%d)", r.left, r.top, r.right, r.bottom);
    return text;
}

void DrawViews(std::vector<Picture>& out)
{
    // Odd sizes, smaller and larger than the grid, and rectangles reaching
    // past the canvas on every side.
    Rect const rects[] = {
        { 0, 0, 331, 167 },
        { 3, 5, 64, 47 },
        { 7, 2, 250, 213 },
        { -13, -9, 197, 141 },
        { 40, 30, 301, 231 },
        { 1, 1, 2 * GRID_N + 3, GRID_N + 1 },
    };
    for (Rect const& r : rects) {
        Canvas map(271, 199, BLACKNESS);
        DrawMap(map.DC(), r.left, r.top, r.right, r.bottom);
        out.push_back(map.Snapshot(std::string("map ").append(Describe(r))));

        Canvas lower(271, 199, BLACKNESS);
        DrawLowerHemisphere(lower.DC(), r.left, r.top, r.right, r.bottom);
        out.push_back(lower.Snapshot(std::string("lower hemisphere ").append(Describe(r))));

        Canvas upper(271, 199, BLACKNESS);
        DrawUpperHemisphere(upper.DC(), r.left, r.top, r.right, r.bottom);
        out.push_back(upper.Snapshot(std::string("upper hemisphere ").append(Describe(r))));
    }
}

void DrawStretches(std::vector<Picture>& out)
{
    // A source with fine detail: the map, and random pixels at the edge.
    Canvas source(97, 61);
    DrawMap(source.DC(), 0, 0, 97, 61);
    std::mt19937 engine(99);
    for (int y = 0; y < 61; ++y) {
        for (int x = 0; x < 97; x += (y % 7 == 0 ? 1 : 9))
            SetPixel(source.DC(), x, y, RGB(engine() & 0xff, engine() & 0xff, engine() & 0xff));
    }
    out.push_back(source.Snapshot("stretch source"));

    struct Case {
        int width, height;
    };
    Case const sizes[] = { { 31, 17 }, { 48, 60 }, { 96, 61 }, { 97, 60 }, { 203, 131 }, { 291, 67 }, { 13, 183 }, { 1, 1 } };
    for (int mode : { BLACKONWHITE, COLORONCOLOR }) {
        for (Case const& size : sizes) {
            Canvas destination(size.width + 6, size.height + 6, BLACKNESS);
            SetStretchBltMode(destination.DC(), mode);
            StretchBlt(destination.DC(), 3, 3, size.width, size.height, source.DC(), 0, 0, 97, 61, SRCCOPY);
            std::string name = mode == BLACKONWHITE ? "BLACKONWHITE" : "COLORONCOLOR";
            name += " 97x61 to ";
            name += std::to_string(size.width);
            name += "x";
            name += std::to_string(size.height);
            out.push_back(destination.Snapshot(name));
        }
        // A part of the source, into a destination reaching past its canvas.
        Canvas destination(120, 90, BLACKNESS);
        SetStretchBltMode(destination.DC(), mode);
        StretchBlt(destination.DC(), -20, -7, 157, 111, source.DC(), 11, 5, 53, 41, SRCCOPY);
        std::string name = mode == BLACKONWHITE ? "BLACKONWHITE" : "COLORONCOLOR";
        name += " part, clipped";
        out.push_back(destination.Snapshot(name));
    }
}

void Put32(std::FILE* file, std::uint32_t value)
{
    unsigned char const bytes[4] = { static_cast<unsigned char>(value), static_cast<unsigned char>(value >> 8),
        static_cast<unsigned char>(value >> 16), static_cast<unsigned char>(value >> 24) };
    std::fwrite(bytes, 1, 4, file);
}

bool Get32(std::FILE* file, std::uint32_t& value)
{
    unsigned char bytes[4];
    if (std::fread(bytes, 1, 4, file) != 4)
        return false;
    value = bytes[0] | bytes[1] << 8 | bytes[2] << 16 | static_cast<std::uint32_t>(bytes[3]) << 24;
    return true;
}

int Draw(char const* path)
{
    GrowPlanet();
    std::vector<Picture> pictures;
    DrawPolygons(pictures);
    DrawViews(pictures);
    DrawStretches(pictures);

    std::FILE* file = std::fopen(path, "wb");
    if (!file) {
        std::fprintf(stderr, "cannot write %s\n", path);
        return 2;
    }
    for (Picture const& picture : pictures) {
        Put32(file, static_cast<std::uint32_t>(picture.name.size()));
        std::fwrite(picture.name.data(), 1, picture.name.size(), file);
        Put32(file, static_cast<std::uint32_t>(picture.width));
        Put32(file, static_cast<std::uint32_t>(picture.height));
        for (std::uint32_t pixel : picture.pixels)
            Put32(file, pixel);
    }
    bool const written = std::fclose(file) == 0;
    std::printf("%zu pictures drawn\n", pictures.size());
    return written ? 0 : 2;
}

std::vector<Picture> Read(char const* path)
{
    std::vector<Picture> pictures;
    std::FILE* file = std::fopen(path, "rb");
    if (!file)
        return pictures;
    std::uint32_t length;
    while (Get32(file, length) && length < 1000) {
        Picture picture;
        picture.name.resize(length);
        std::uint32_t width = 0, height = 0;
        if (std::fread(picture.name.data(), 1, length, file) != length || !Get32(file, width) || !Get32(file, height)
            || width > 10000 || height > 10000)
            break;
        picture.width = static_cast<int>(width);
        picture.height = static_cast<int>(height);
        picture.pixels.resize(static_cast<std::size_t>(width) * height);
        bool complete = true;
        for (auto& pixel : picture.pixels)
            complete = complete && Get32(file, pixel);
        if (!complete)
            break;
        pictures.push_back(std::move(picture));
    }
    std::fclose(file);
    return pictures;
}

int Compare(char const* ourPath, char const* referencePath)
{
    std::vector<Picture> const ours = Read(ourPath);
    std::vector<Picture> const reference = Read(referencePath);
    if (ours.empty() || ours.size() != reference.size()) {
        std::printf("FAILED: %zu pictures in %s, %zu in %s\n", ours.size(), ourPath, reference.size(), referencePath);
        return 1;
    }
    int differing = 0;
    long long pixels = 0;
    for (std::size_t k = 0; k < ours.size(); ++k) {
        Picture const& a = ours[k];
        Picture const& b = reference[k];
        if (a.name != b.name || a.width != b.width || a.height != b.height) {
            std::printf("FAILED: picture %zu is '%s' %dx%d here and '%s' %dx%d in the reference\n", k, a.name.c_str(),
                a.width, a.height, b.name.c_str(), b.width, b.height);
            return 1;
        }
        pixels += static_cast<long long>(a.pixels.size());
        int count = 0;
        for (int y = 0; y < a.height; ++y) {
            for (int x = 0; x < a.width; ++x) {
                std::size_t const i = static_cast<std::size_t>(y) * a.width + x;
                if (a.pixels[i] == b.pixels[i])
                    continue;
                if (count < 8) {
                    std::printf("  %s: pixel (%d,%d) is %06X, real GDI %06X\n", a.name.c_str(), x, y,
                        static_cast<unsigned>(a.pixels[i]), static_cast<unsigned>(b.pixels[i]));
                }
                ++count;
            }
        }
        if (count) {
            std::printf("DIFFERS: %s (%dx%d): %d pixels\n", a.name.c_str(), a.width, a.height, count);
            ++differing;
        }
    }
    std::printf("%zu pictures, %lld pixels compared: %d pictures differ\n", ours.size(), pixels, differing);
    return differing == 0 ? 0 : 1;
}

}

int main(int argc, char** argv)
{
    std::string const mode = argc > 1 ? argv[1] : "";
    if (mode == "--draw" && argc == 3)
        return Draw(argv[2]);
    if (mode == "--compare" && argc == 4)
        return Compare(argv[2], argv[3]);
    std::fprintf(stderr, "usage: %s --draw FILE | --compare OURS REFERENCE\n", argv[0]);
    return 2;
}
