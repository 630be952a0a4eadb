// The world files' rules on small made-up grids: sampling, height values,
// the mesh's shape and the glTF binary's layout.
#include "grower/grid_sampling.h"
#include "grower/heightmap_export.h"
#include "grower/mesh_export.h"
#include "grower/sample_writers.h"
#include "grower/metadata_export.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <map>
#include <numbers>
#include <tuple>

namespace {

TEST(GridSampling, EveryPixelShowsThePointUnderItsCentre)
{
    // As many pixels as points: one each. Twice as many: each point twice.
    for (std::int32_t x = 0; x < 75; ++x) {
        EXPECT_EQ(SampledIndex(x, 75, 75), x);
        EXPECT_EQ(SampledIndex(2 * x, 150, 75), x);
        EXPECT_EQ(SampledIndex(2 * x + 1, 150, 75), x);
    }
    EXPECT_EQ(SampledIndex(0, 1, 1000), 500); // one pixel: the middle point
    EXPECT_EQ(SampledIndex(0, 3, 75), 12);
    EXPECT_EQ(SampledIndex(2, 3, 75), 62);

    // The widest picture on the finest grid stays in range and in order.
    EXPECT_EQ(SampledIndex(0, 16384, 1000), 0);
    EXPECT_EQ(SampledIndex(16383, 16384, 1000), 999);
    for (std::int64_t x = 1; x < 16384; ++x)
        EXPECT_LE(SampledIndex(x, 16384, 1000) - SampledIndex(x - 1, 16384, 1000), 1);
}

TEST(Heightmap, ValuesSpanTheGridsRadii)
{
    RadiusRange const range { 1900.0, 2100.0 };
    EXPECT_EQ(HeightValue(1900.0, range), 0);
    EXPECT_EQ(HeightValue(2100.0, range), 65535);
    EXPECT_EQ(HeightValue(2000.0, range), 32768); // 32767.5 rounds away from zero
    EXPECT_EQ(HeightValue(1900.0 + 200.0 / 65535 * 0.49, range), 0);
    EXPECT_EQ(HeightValue(2000.0, { 2000.0, 2000.0 }), 0);

    GlobePoint const points[] = { { 3, 4, 0 }, { 0, 0, 10 }, { 0, 0, -7.5f } };
    RadiusRange const grid = GridRadiusRange(points, 3);
    EXPECT_EQ(grid.min, 5.0);
    EXPECT_EQ(grid.max, 10.0);
    EXPECT_EQ(HeightValue(PointRadius(points[2]), grid), 32768);
}

TEST(Heightmap, FormatComesFromTheExtension)
{
    EXPECT_EQ(HeightmapFormatOf("a/b.png"), HeightmapFormat::Png);
    EXPECT_EQ(HeightmapFormatOf("B.PNG"), HeightmapFormat::Png);
    EXPECT_EQ(HeightmapFormatOf("h.R16"), HeightmapFormat::Raw16);
    EXPECT_EQ(HeightmapFormatOf("h.r32"), HeightmapFormat::Raw32);
    EXPECT_EQ(HeightmapFormatOf("h.Exr"), HeightmapFormat::Exr);
    EXPECT_FALSE(HeightmapFormatOf("h.r16.txt").has_value());
    EXPECT_FALSE(HeightmapFormatOf("r16").has_value());
    EXPECT_FALSE(HeightmapFormatOf("dir.png/h").has_value());
}

TEST(Heightmap, RawRowsAreLittleEndianTopFirst)
{
    // Two rows of two radii, as 16-bit heights over 0..65535 and as floats.
    std::vector<double> const radii { 1.0, 2.0, 0x1234, 0xFFFE, 2000.0, -0.5, 1e-45, 3.0e38 };
    auto const rows = [&](std::int32_t y) { return radii.data() + 2 * y; };
    std::FILE* file = std::tmpfile();
    ASSERT_NE(file, nullptr);
    EXPECT_EQ(WriteHeightSamples(file, HeightmapFormat::Raw16, { 2, 2 }, { 0.0, 65535.0 }, rows), "");
    EXPECT_EQ(WriteHeightSamples(file, HeightmapFormat::Raw32, { 2, 2 }, {}, [&](std::int32_t y) { return rows(y + 2); }),
        "");
    std::rewind(file);
    unsigned char bytes[25] = {};
    EXPECT_EQ(std::fread(bytes, 1, sizeof bytes, file), 24u);
    unsigned char const expected[24] = { 0x01, 0x00, 0x02, 0x00, 0x34, 0x12, 0xFE, 0xFF, //
        0x00, 0x00, 0xFA, 0x44, 0x00, 0x00, 0x00, 0xBF, // 2000.0f, -0.5f
        0x01, 0x00, 0x00, 0x00, 0xE6, 0xB1, 0x61, 0x7F }; // the least subnormal, 3.0e38f
    EXPECT_EQ(std::memcmp(bytes, expected, 24), 0);
    std::fclose(file);
}

// A sphere grid laid out as the globe's: row i at polar angle i * pi / n
// from +z, column j at longitude j * 2 pi / n, radii varied a little.
std::vector<GlobePoint> SphereGrid(std::int32_t n)
{
    std::vector<GlobePoint> points;
    for (std::int32_t i = 0; i < n; ++i) {
        double const theta = i * std::numbers::pi / n;
        for (std::int32_t j = 0; j < n; ++j) {
            double const phi = j * 2 * std::numbers::pi / n;
            double const r = i == 0 ? 100.0 : 100.0 + 3.0 * std::sin(3 * phi + i);
            points.push_back({ static_cast<float>(r * std::cos(phi) * std::sin(theta)),
                static_cast<float>(r * std::sin(phi) * std::sin(theta)), static_cast<float>(r * std::cos(theta)) });
        }
    }
    return points;
}

ElevationColors ColorsOf(std::vector<GlobePoint> const& points)
{
    return { 100.0f, 103.0f, std::vector<std::uint32_t>(points.size(), 0x00FF8000) };
}

using Position = std::tuple<float, float, float>;

Position PositionOf(GlobeMesh const& mesh, std::uint32_t vertex)
{
    return { mesh.positions[3 * vertex], mesh.positions[3 * vertex + 1], mesh.positions[3 * vertex + 2] };
}

TEST(GlobeMesh, IsAClosedOutwardSurfaceWithoutDegenerateTriangles)
{
    for (std::int32_t const n : { 3, 4, 8, 75 }) {
        std::vector<GlobePoint> const points = SphereGrid(n);
        GlobeMesh const mesh = BuildGlobeMesh(points.data(), n, 100.0, 1.0, ColorsOf(points), [](int) { });
        ASSERT_EQ(mesh.VertexCount(), static_cast<std::size_t>(n * (n + 2)));
        // Every quad gives two triangles, less one per column at the +z pole,
        // plus one per column around the -z pole.
        EXPECT_EQ(mesh.TriangleCount(), static_cast<std::size_t>(2 * n * (n - 1)));

        // Welded by position, every edge is crossed once each way: the
        // surface is closed and consistently wound.
        std::map<std::pair<Position, Position>, int> edges;
        double volume = 0;
        for (std::size_t t = 0; t < mesh.TriangleCount(); ++t) {
            Position corners[3];
            for (int k = 0; k < 3; ++k)
                corners[k] = PositionOf(mesh, mesh.indices[3 * t + k]);
            ASSERT_NE(corners[0], corners[1]);
            ASSERT_NE(corners[1], corners[2]);
            ASSERT_NE(corners[2], corners[0]);
            for (int k = 0; k < 3; ++k)
                ++edges[{ corners[k], corners[(k + 1) % 3] }];
            auto const [ax, ay, az] = corners[0];
            auto const [bx, by, bz] = corners[1];
            auto const [cx, cy, cz] = corners[2];
            volume += (ax * (by * cz - bz * cy) - ay * (bx * cz - bz * cx) + az * (bx * cy - by * cx)) / 6.0;
        }
        for (auto const& [edge, count] : edges) {
            EXPECT_EQ(count, 1);
            EXPECT_EQ(edges.count({ edge.second, edge.first }), 1u) << "open edge at n = " << n;
        }
        EXPECT_GT(volume, 0.0) << "the triangles face inwards at n = " << n;
    }
}

TEST(GlobeMesh, SeamAndTextureCoordinatesWrapTheMap)
{
    std::int32_t const n = 8;
    std::vector<GlobePoint> const points = SphereGrid(n);
    GlobeMesh const mesh = BuildGlobeMesh(points.data(), n, 100.0, 1.0, ColorsOf(points), [](int) { });
    for (std::int32_t i = 0; i < n; ++i) {
        std::uint32_t const first = static_cast<std::uint32_t>(i * (n + 1));
        std::uint32_t const seam = first + static_cast<std::uint32_t>(n);
        EXPECT_EQ(PositionOf(mesh, first), PositionOf(mesh, seam));
        EXPECT_EQ(mesh.texcoords[2 * first], 0.0f);
        EXPECT_EQ(mesh.texcoords[2 * seam], 1.0f);
        EXPECT_FLOAT_EQ(mesh.texcoords[2 * first + 1], static_cast<float>(i) / n);
        // With a relief of 1 the vertices are the grid points themselves.
        EXPECT_EQ(mesh.positions[3 * first + 2], points[static_cast<std::size_t>(i * n)].z);
    }
    // The added pole vertices: below the last row, at the bottom of the texture.
    std::uint32_t const pole = static_cast<std::uint32_t>(n * (n + 1));
    EXPECT_LT(mesh.positions[3 * pole + 2], points.back().z);
    EXPECT_EQ(mesh.texcoords[2 * pole + 1], 1.0f);

    for (std::size_t v = 0; v < mesh.VertexCount(); ++v) {
        double const length = std::hypot(mesh.normals[3 * v], mesh.normals[3 * v + 1], mesh.normals[3 * v + 2]);
        EXPECT_NEAR(length, 1.0, 1e-6);
        // Normals point away from the centre on this near-sphere.
        double const outward = mesh.normals[3 * v] * mesh.positions[3 * v]
            + mesh.normals[3 * v + 1] * mesh.positions[3 * v + 1] + mesh.normals[3 * v + 2] * mesh.positions[3 * v + 2];
        EXPECT_GT(outward, 0.0);
    }
}

TEST(GlobeMesh, ReliefScalesHeightsAboutTheMean)
{
    std::int32_t const n = 8;
    std::vector<GlobePoint> const points = SphereGrid(n);
    for (double const relief : { 0.0, 10.0 }) {
        GlobeMesh const mesh = BuildGlobeMesh(points.data(), n, 100.0, relief, ColorsOf(points), [](int) { });
        for (std::int32_t i = 1; i < n; ++i) {
            std::size_t const point = static_cast<std::size_t>(i * n + 3);
            std::uint32_t const vertex = static_cast<std::uint32_t>(i * (n + 1) + 3);
            double const radius = PointRadius(points[point]);
            auto const [x, y, z] = PositionOf(mesh, vertex);
            EXPECT_NEAR(std::sqrt(double(x) * x + double(y) * y + double(z) * z), 100.0 + relief * (radius - 100.0),
                1e-3);
        }
    }
}

TEST(GlobeMesh, ColoursAreLinear)
{
    EXPECT_EQ(SrgbToLinear(0), 0.0f);
    EXPECT_EQ(SrgbToLinear(255), 1.0f);
    EXPECT_NEAR(SrgbToLinear(10), 10 / 255.0 / 12.92, 1e-7);
    EXPECT_NEAR(SrgbToLinear(128), 0.2158605, 1e-6);
}

TEST(Glb, ChunksAreAlignedAndDescribeTheBuffer)
{
    std::int32_t const n = 3;
    std::vector<GlobePoint> const points = SphereGrid(n);
    GlobeMesh const mesh = BuildGlobeMesh(points.data(), n, 100.0, 1.0, ColorsOf(points), [](int) { });
    std::FILE* file = std::tmpfile();
    ASSERT_NE(file, nullptr);
    std::uint64_t lastWritten = 0;
    std::uint64_t lastTotal = 0;
    ASSERT_EQ(WriteGlb(file, mesh, "test", [&](std::uint64_t written, std::uint64_t total) {
        lastWritten = written;
        lastTotal = total;
    }),
        "");
    long const size = std::ftell(file);
    EXPECT_EQ(lastWritten, static_cast<std::uint64_t>(size));
    EXPECT_EQ(lastTotal, static_cast<std::uint64_t>(size));
    std::rewind(file);
    std::vector<unsigned char> bytes(static_cast<std::size_t>(size));
    ASSERT_EQ(std::fread(bytes.data(), 1, bytes.size(), file), bytes.size());
    std::fclose(file);

    auto const word = [&](std::size_t at) {
        std::uint32_t value;
        std::memcpy(&value, &bytes[at], 4);
        return value;
    };
    EXPECT_EQ(word(0), 0x46546C67u);
    EXPECT_EQ(word(4), 2u);
    EXPECT_EQ(word(8), bytes.size());
    std::uint32_t const jsonLength = word(12);
    EXPECT_EQ(jsonLength % 4, 0u);
    EXPECT_EQ(word(16), 0x4E4F534Au);
    std::uint32_t const binLength = word(20 + jsonLength);
    EXPECT_EQ(word(24 + jsonLength), 0x004E4942u);
    EXPECT_EQ(28 + jsonLength + binLength, bytes.size());

    auto const document = nlohmann::json::parse(bytes.begin() + 20, bytes.begin() + 20 + jsonLength);
    EXPECT_EQ(document["asset"]["version"], "2.0");
    EXPECT_EQ(document["buffers"][0]["byteLength"], binLength);
    EXPECT_EQ(document["accessors"][0]["count"], mesh.VertexCount());
    EXPECT_EQ(document["accessors"][4]["count"], mesh.indices.size());
    auto const& attributes = document["meshes"][0]["primitives"][0]["attributes"];
    for (char const* name : { "POSITION", "NORMAL", "COLOR_0", "TEXCOORD_0" })
        EXPECT_TRUE(attributes.contains(name)) << name;
}

TEST(Metadata, ListsTheRunAndItsFiles)
{
    RunDescription run { "morva75-grower", 75, 1802, 9373, 301, { "morva75-grower", "--seeds", "1802,9373" },
        2006.25, 2114.5, 1913.125, 2017.0, "1.0", std::pair { 1913.125, 2114.5 } };
    WrittenFile heightmap { "heightmap", "h.png", 7011 };
    heightmap.details = { { "radius_at_0", 1913.125 } };
    auto const document = nlohmann::json::parse(MetadataText(run, { heightmap, { "dump", "d\xff.bin", 12 } }));
    EXPECT_EQ(document["grid_size"], 75);
    EXPECT_EQ(document["version"], "1.0");
    EXPECT_EQ(document["seeds"], nlohmann::json({ 1802, 9373 }));
    EXPECT_EQ(document["command_line"][2], "1802,9373");
    EXPECT_EQ(document["radius"]["sea_level"], 2017.0);
    EXPECT_EQ(document["files"][0]["kind"], "heightmap");
    EXPECT_EQ(document["files"][0]["bytes"], 7011);
    EXPECT_EQ(document["files"][0]["radius_at_0"], 1913.125);
    EXPECT_EQ(document["files"][1]["kind"], "dump"); // a path that is not UTF-8 does not stop it
    EXPECT_EQ(document["height_range"]["radius_at_65535"], 2114.5);
}

}
