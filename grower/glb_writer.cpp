// The mesh as a glTF 2.0 binary: a 12-byte header, the JSON chunk, the
// binary chunk holding the five arrays one after another.
#include "grower/mesh_export.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <bit>
#include <cfloat>
#include <limits>

static_assert(std::endian::native == std::endian::little, "glTF buffers are little-endian, as this host");

namespace {

constexpr std::uint32_t GLB_MAGIC = 0x46546C67; // "glTF"
constexpr std::uint32_t GLB_VERSION = 2;
constexpr std::uint32_t CHUNK_JSON = 0x4E4F534A;
constexpr std::uint32_t CHUNK_BIN = 0x004E4942;
constexpr int ARRAY_BUFFER = 34962;
constexpr int ELEMENT_ARRAY_BUFFER = 34963;
constexpr int FLOAT = 5126;
constexpr int UNSIGNED_INT = 5125;
constexpr int TRIANGLES = 4;

struct BufferPart {
    void const* data;
    std::uint64_t bytes;
};

nlohmann::ordered_json PositionBounds(std::vector<float> const& positions, bool wantMax)
{
    float bound[3] = { FLT_MAX, FLT_MAX, FLT_MAX };
    if (wantMax)
        std::fill(std::begin(bound), std::end(bound), -FLT_MAX);
    for (std::size_t i = 0; i < positions.size(); ++i)
        bound[i % 3] = wantMax ? std::max(bound[i % 3], positions[i]) : std::min(bound[i % 3], positions[i]);
    return { bound[0], bound[1], bound[2] };
}

nlohmann::ordered_json Document(GlobeMesh const& mesh, std::string const& generator, BufferPart const* parts,
    std::uint64_t binaryBytes)
{
    using json = nlohmann::ordered_json;
    auto const vertices = static_cast<std::uint64_t>(mesh.VertexCount());
    json views = json::array();
    std::uint64_t offset = 0;
    for (int i = 0; i < 5; ++i) {
        views.push_back({ { "buffer", 0 }, { "byteOffset", offset }, { "byteLength", parts[i].bytes },
            { "target", i < 4 ? ARRAY_BUFFER : ELEMENT_ARRAY_BUFFER } });
        offset += parts[i].bytes;
    }
    json position = { { "bufferView", 0 }, { "componentType", FLOAT }, { "count", vertices }, { "type", "VEC3" },
        { "min", PositionBounds(mesh.positions, false) }, { "max", PositionBounds(mesh.positions, true) } };
    json accessors = json::array({
        position,
        { { "bufferView", 1 }, { "componentType", FLOAT }, { "count", vertices }, { "type", "VEC3" } },
        { { "bufferView", 2 }, { "componentType", FLOAT }, { "count", vertices }, { "type", "VEC3" } },
        { { "bufferView", 3 }, { "componentType", FLOAT }, { "count", vertices }, { "type", "VEC2" } },
        { { "bufferView", 4 }, { "componentType", UNSIGNED_INT }, { "count", mesh.indices.size() },
            { "type", "SCALAR" } },
    });
    json primitive = { { "attributes", { { "POSITION", 0 }, { "NORMAL", 1 }, { "COLOR_0", 2 }, { "TEXCOORD_0", 3 } } },
        { "indices", 4 }, { "mode", TRIANGLES } };
    return {
        { "asset", { { "version", "2.0" }, { "generator", generator } } },
        { "scene", 0 },
        { "scenes", json::array({ { { "nodes", json::array({ 0 }) } } }) },
        { "nodes", json::array({ { { "name", "planet" }, { "mesh", 0 } } }) },
        { "meshes", json::array({ { { "name", "planet" }, { "primitives", json::array({ primitive }) } } }) },
        { "accessors", accessors },
        { "bufferViews", views },
        { "buffers", json::array({ { { "byteLength", binaryBytes } } }) },
    };
}

bool WriteWord(std::FILE* stream, std::uint32_t word)
{
    return std::fwrite(&word, sizeof word, 1, stream) == 1;
}

}

std::string WriteGlb(std::FILE* stream, GlobeMesh const& mesh, std::string const& generator,
    std::function<void(std::uint64_t written, std::uint64_t total)> const& progress)
{
    BufferPart const parts[5] = {
        { mesh.positions.data(), mesh.positions.size() * sizeof(float) },
        { mesh.normals.data(), mesh.normals.size() * sizeof(float) },
        { mesh.colors.data(), mesh.colors.size() * sizeof(float) },
        { mesh.texcoords.data(), mesh.texcoords.size() * sizeof(float) },
        { mesh.indices.data(), mesh.indices.size() * sizeof(std::uint32_t) },
    };
    std::uint64_t binaryBytes = 0;
    for (auto const& part : parts)
        binaryBytes += part.bytes; // every part is a whole number of 4-byte words

    std::string text = Document(mesh, generator, parts, binaryBytes).dump();
    text.resize((text.size() + 3) / 4 * 4, ' ');
    std::uint64_t const total = 12 + 8 + text.size() + 8 + binaryBytes;
    if (total > std::numeric_limits<std::uint32_t>::max())
        return "the mesh is too large for a glTF binary";

    bool ok = WriteWord(stream, GLB_MAGIC) && WriteWord(stream, GLB_VERSION)
        && WriteWord(stream, static_cast<std::uint32_t>(total))
        && WriteWord(stream, static_cast<std::uint32_t>(text.size())) && WriteWord(stream, CHUNK_JSON)
        && std::fwrite(text.data(), 1, text.size(), stream) == text.size()
        && WriteWord(stream, static_cast<std::uint32_t>(binaryBytes)) && WriteWord(stream, CHUNK_BIN);
    std::uint64_t written = 12 + 8 + text.size() + 8;
    constexpr std::size_t SLICE = 1 << 20;
    for (auto const& part : parts) {
        auto const* bytes = static_cast<unsigned char const*>(part.data);
        for (std::uint64_t done = 0; ok && done < part.bytes;) {
            auto const slice = static_cast<std::size_t>(std::min<std::uint64_t>(SLICE, part.bytes - done));
            ok = std::fwrite(bytes + done, 1, slice, stream) == slice;
            done += slice;
            written += slice;
            progress(written, total);
        }
    }
    if (!ok)
        return "write failed";
    return {};
}
