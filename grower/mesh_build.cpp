// The planet's triangle mesh: vertices, triangles and normals.
#include "grower/mesh_export.h"

#include "render/elevation_color.h"
#include "render/float_conversion.h"

#include <array>
#include <cmath>

namespace {

struct Vec3 {
    double x, y, z;
};

Vec3 Subtract(Vec3 a, Vec3 b) { return { a.x - b.x, a.y - b.y, a.z - b.z }; }
Vec3 Cross(Vec3 a, Vec3 b) { return { a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x }; }

// Where a point of radius `radius` on the direction of `p` lies with the
// relief applied. A relief of 1 keeps the point exactly.
std::array<float, 3> ReliefPosition(GlobePoint p, double radius, double meanRadius, double relief)
{
    if (relief == 1.0 || radius == 0.0)
        return { p.x, p.y, p.z };
    double const scale = (meanRadius + relief * (radius - meanRadius)) / radius;
    return { RoundToSingle(p.x * scale), RoundToSingle(p.y * scale), RoundToSingle(p.z * scale) };
}

class MeshBuilder {
public:
    MeshBuilder(GlobePoint const* points, std::int32_t n, double meanRadius, double relief,
        ElevationColors const& colors)
        : points(points)
        , n(n)
        , meanRadius(meanRadius)
        , relief(relief)
        , colors(colors)
    {
    }

    std::uint32_t GridVertex(std::int32_t row, std::int32_t column) const
    {
        return static_cast<std::uint32_t>(row * (n + 1) + column);
    }
    std::uint32_t PoleVertex(std::int32_t column) const { return static_cast<std::uint32_t>(n * (n + 1) + column); }

    // Vertices that share one place on the globe share one normal: the seam
    // column's two copies, the whole of row 0, and the added pole vertices.
    std::size_t NormalSlot(std::uint32_t vertex) const
    {
        auto const rowLength = static_cast<std::uint32_t>(n + 1);
        if (vertex >= static_cast<std::uint32_t>(n) * rowLength)
            return 1 + static_cast<std::size_t>(n - 1) * static_cast<std::size_t>(n);
        std::uint32_t const row = vertex / rowLength;
        std::uint32_t const column = (vertex % rowLength) % static_cast<std::uint32_t>(n);
        if (row == 0)
            return 0;
        return 1 + static_cast<std::size_t>(row - 1) * static_cast<std::size_t>(n) + column;
    }

    void AddVertex(std::array<float, 3> position, std::uint32_t color, float u, float v)
    {
        mesh.positions.insert(mesh.positions.end(), position.begin(), position.end());
        mesh.colors.push_back(SrgbToLinear(static_cast<std::uint8_t>(color & 0xFF)));
        mesh.colors.push_back(SrgbToLinear(static_cast<std::uint8_t>((color >> 8) & 0xFF)));
        mesh.colors.push_back(SrgbToLinear(static_cast<std::uint8_t>((color >> 16) & 0xFF)));
        mesh.texcoords.push_back(u);
        mesh.texcoords.push_back(v);
    }

    void AddVertices(std::function<void(std::int32_t)> const& progress)
    {
        std::size_t const vertices = static_cast<std::size_t>(n) * static_cast<std::size_t>(n + 1 + 1);
        mesh.positions.reserve(vertices * 3);
        mesh.colors.reserve(vertices * 3);
        mesh.texcoords.reserve(vertices * 2);
        double const step = 1.0 / n;
        for (std::int32_t i = 0; i < n; ++i) {
            for (std::int32_t j = 0; j <= n; ++j) {
                std::size_t const point = static_cast<std::size_t>(i) * static_cast<std::size_t>(n)
                    + static_cast<std::size_t>(j % n);
                double const radius = PointRadius(points[point]);
                AddVertex(ReliefPosition(points[point], radius, meanRadius, relief), colors.colors[point],
                    j == n ? 1.0f : static_cast<float>(j * step), static_cast<float>(i * step));
            }
            progress(i + 1);
        }

        // The -z pole, at the mean radius of the ring around it.
        double ringSum = 0;
        for (std::int32_t j = 0; j < n; ++j)
            ringSum += PointRadius(points[static_cast<std::size_t>(n - 1) * static_cast<std::size_t>(n) + j]);
        double const poleRadius = ringSum / n;
        GlobePoint const pole { 0.0f, 0.0f, RoundToSingle(-poleRadius) };
        std::array<float, 3> const polePosition = ReliefPosition(pole, poleRadius, meanRadius, relief);
        std::uint32_t const poleColor = ElevationColor(RoundToSingle(poleRadius), colors.meanRadius, colors.maxRadius);
        for (std::int32_t j = 0; j < n; ++j)
            AddVertex(polePosition, poleColor, static_cast<float>((j + 0.5) * step), 1.0f);
    }

    Vec3 Position(std::uint32_t vertex) const
    {
        float const* p = &mesh.positions[static_cast<std::size_t>(vertex) * 3];
        return { p[0], p[1], p[2] };
    }

    // Adds the triangle unless it encloses no area, and its area-weighted
    // normal to its corners.
    void AddTriangle(std::uint32_t a, std::uint32_t b, std::uint32_t c)
    {
        Vec3 const pa = Position(a);
        Vec3 const normal = Cross(Subtract(Position(b), pa), Subtract(Position(c), pa));
        if (normal.x == 0 && normal.y == 0 && normal.z == 0)
            return;
        mesh.indices.insert(mesh.indices.end(), { a, b, c });
        for (std::uint32_t const vertex : { a, b, c }) {
            Vec3& sum = normalSums[NormalSlot(vertex)];
            sum = { sum.x + normal.x, sum.y + normal.y, sum.z + normal.z };
        }
    }

    void AddTriangles()
    {
        normalSums.assign(2 + static_cast<std::size_t>(n - 1) * static_cast<std::size_t>(n), Vec3 { 0, 0, 0 });
        mesh.indices.reserve(static_cast<std::size_t>(n) * static_cast<std::size_t>(n) * 6);
        for (std::int32_t i = 0; i + 1 < n; ++i) {
            for (std::int32_t j = 0; j < n; ++j) {
                std::uint32_t const a = GridVertex(i, j);
                std::uint32_t const b = GridVertex(i, j + 1);
                std::uint32_t const c = GridVertex(i + 1, j);
                std::uint32_t const d = GridVertex(i + 1, j + 1);
                AddTriangle(a, c, d);
                AddTriangle(a, d, b);
            }
        }
        for (std::int32_t j = 0; j < n; ++j)
            AddTriangle(GridVertex(n - 1, j), PoleVertex(j), GridVertex(n - 1, j + 1));
    }

    void AddNormals()
    {
        mesh.normals.resize(mesh.positions.size());
        for (std::uint32_t vertex = 0; vertex < mesh.VertexCount(); ++vertex) {
            Vec3 normal = normalSums[NormalSlot(vertex)];
            double length = std::sqrt(normal.x * normal.x + normal.y * normal.y + normal.z * normal.z);
            if (!(length > 0)) {
                // A vertex no triangle kept: point it away from the centre.
                normal = Position(vertex);
                length = std::sqrt(normal.x * normal.x + normal.y * normal.y + normal.z * normal.z);
                if (!(length > 0)) {
                    normal = { 0, 0, 1 };
                    length = 1;
                }
            }
            float* out = &mesh.normals[static_cast<std::size_t>(vertex) * 3];
            out[0] = static_cast<float>(normal.x / length);
            out[1] = static_cast<float>(normal.y / length);
            out[2] = static_cast<float>(normal.z / length);
        }
    }

    GlobeMesh Take() { return std::move(mesh); }

private:
    GlobePoint const* points;
    std::int32_t n;
    double meanRadius;
    double relief;
    ElevationColors const& colors;
    GlobeMesh mesh;
    std::vector<Vec3> normalSums;
};

}

float SrgbToLinear(std::uint8_t channel)
{
    double const c = channel / 255.0;
    double const linear = c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
    return static_cast<float>(linear);
}

GlobeMesh BuildGlobeMesh(GlobePoint const* points, std::int32_t n, double meanRadius, double relief,
    ElevationColors const& colors, std::function<void(std::int32_t rows)> const& progress)
{
    MeshBuilder builder(points, n, meanRadius, relief, colors);
    builder.AddVertices(progress);
    builder.AddTriangles();
    builder.AddNormals();
    progress(n + 1);
    return builder.Take();
}
