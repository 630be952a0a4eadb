#include "grower/grid_dump.h"

#include <bit>
#include <cstdint>
#include <vector>

namespace {

void PutFloat(unsigned char* out, float value)
{
    auto const bits = std::bit_cast<std::uint32_t>(value);
    out[0] = static_cast<unsigned char>(bits);
    out[1] = static_cast<unsigned char>(bits >> 8);
    out[2] = static_cast<unsigned char>(bits >> 16);
    out[3] = static_cast<unsigned char>(bits >> 24);
}

}

bool WriteGridDump(std::FILE* stream, GlobePoint const* points, std::size_t count)
{
    constexpr std::size_t POINTS_PER_CHUNK = 4096;
    std::vector<unsigned char> chunk(POINTS_PER_CHUNK * 12);
    for (std::size_t first = 0; first < count; first += POINTS_PER_CHUNK) {
        std::size_t const n = count - first < POINTS_PER_CHUNK ? count - first : POINTS_PER_CHUNK;
        for (std::size_t k = 0; k < n; ++k) {
            GlobePoint const& p = points[first + k];
            PutFloat(&chunk[k * 12], p.x);
            PutFloat(&chunk[k * 12 + 4], p.y);
            PutFloat(&chunk[k * 12 + 8], p.z);
        }
        if (std::fwrite(chunk.data(), 12, n, stream) != n)
            return false;
    }
    return true;
}
