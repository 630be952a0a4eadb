#pragma once

#include "globe/globe_point.h"
#include "grower/texture_export.h"

#include <cstdint>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

// The planet as a closed triangle mesh. Vertex (i, j) for row i and column
// j = 0 .. n is grid point (i, j mod n): the seam column is there twice, at
// u = 0 and u = 1, so the texture wraps once around. The coincident points
// of row 0 fan around the +z pole; the last row, one step short of the -z
// pole, fans to n added pole vertices (one per column, for the texture),
// which lie at the mean radius of that ring. Triangles that enclose no area
// are dropped. Every array is tightly packed, ready for a glTF buffer.
struct GlobeMesh {
    std::vector<float> positions; // x, y, z per vertex, in the globe's units
    std::vector<float> normals;   // unit x, y, z per vertex
    std::vector<float> colors;    // linear red, green, blue per vertex
    std::vector<float> texcoords; // u, v per vertex; v = 0 at the +z pole
    std::vector<std::uint32_t> indices; // three per triangle, counter-clockwise seen from outside

    std::size_t VertexCount() const { return positions.size() / 3; }
    std::size_t TriangleCount() const { return indices.size() / 3; }
};

// The linear value glTF expects for an 8-bit sRGB channel.
float SrgbToLinear(std::uint8_t channel);

// Builds the mesh of an n x n grid (n >= 2). Each point lies on its own
// direction from the centre at mean + relief * (radius - mean); a relief of
// 1 keeps the grid as it is, 0 makes a sphere of the mean radius. `colors`
// gives each point's elevation colour; the pole's comes from the same rule.
// `progress` is called with the rows done, out of n + 1.
GlobeMesh BuildGlobeMesh(GlobePoint const* points, std::int32_t n, double meanRadius, double relief,
    ElevationColors const& colors, std::function<void(std::int32_t rows)> const& progress);

// Writes the mesh as a glTF 2.0 binary (.glb): one scene, one node, one
// mesh of one triangle primitive with POSITION, NORMAL, COLOR_0 and
// TEXCOORD_0. `progress` is called with the bytes written so far and the
// total. Empty on success, else why it failed.
std::string WriteGlb(std::FILE* stream, GlobeMesh const& mesh, std::string const& generator,
    std::function<void(std::uint64_t written, std::uint64_t total)> const& progress);
