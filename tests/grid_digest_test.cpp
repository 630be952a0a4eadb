// The planet must come out bit for bit the same on every platform the
// programs are built for. These digests were recorded from the Linux build;
// the Windows build, run under Wine, checks them too, so a platform whose
// arithmetic or library functions differ in a single bit of a single point
// fails here.

#include "globe/globe.h"
#include "globe/random.h"

#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <memory>

namespace {

struct RecordedGrid {
    int n;
    std::uint64_t freshDigest;
    std::uint64_t grownDigest;
    std::uint64_t grownMean; // bit patterns of the statistics after growing
    std::uint64_t grownMax;
};

constexpr RecordedGrid RECORDED[] = {
    { 75, 0xfbac25437524d05eu, 0x386426c6d19666f9u, 0x409ee42ba05e58fdu, 0x40a0219bc73680feu },
    { 200, 0xe4f2c537547a9077u, 0xfaae01461a2e15fdu, 0x409ee4833b881777u, 0x40a0219bba9723d8u },
    { 500, 0x880ce155042f5feeu, 0x537d38eacdca2deeu, 0x409ee49c057655b1u, 0x40a0219bcc9beb82u },
    { 700, 0xc9576df061f2574du, 0x4479b19bbc3e923bu, 0x409ee4a5bbe52bf2u, 0x40a0219bdb947753u },
    { 1000, 0x0dd165969d71ee28u, 0x15bdc99e79428267u, 0x409ee4ab550e43b4u, 0x40a0219bda3c4d3au },
};

// 64-bit FNV-1a over the little-endian bytes of every coordinate, in grid
// order.
std::uint64_t Digest(Globe const& globe)
{
    std::uint64_t hash = 0xcbf29ce484222325u;
    auto mix = [&](float value) {
        auto const bits = std::bit_cast<std::uint32_t>(value);
        for (int shift = 0; shift < 32; shift += 8) {
            hash ^= (bits >> shift) & 0xffu;
            hash *= 0x100000001b3u;
        }
    };
    GlobePoint const* points = globe.Points();
    for (int k = 0; k < GRID_POINT_COUNT; ++k) {
        mix(points[k].x);
        mix(points[k].y);
        mix(points[k].z);
    }
    return hash;
}

RecordedGrid const& Recorded()
{
    for (auto const& entry : RECORDED) {
        if (entry.n == GRID_N)
            return entry;
    }
    ADD_FAILURE() << "nothing recorded for GRID_N " << GRID_N;
    return RECORDED[0];
}

TEST(GridDigest, FreshGridIsTheRecordedOne)
{
    auto const globe = std::make_unique<Globe>();
    EXPECT_EQ(Digest(*globe), Recorded().freshDigest) << std::hex << "0x" << Digest(*globe);
}

TEST(GridDigest, GrownGridIsTheRecordedOne)
{
    RandomGenerator const saved = g_random;
    g_random = RandomGenerator(4711, 815, false);
    auto const globe = std::make_unique<Globe>();
    globe->Dissect(1);
    for (int batch = 0; batch < 4; ++batch)
        globe->Dissect(50);
    g_random = saved;

    auto const mean = std::bit_cast<std::uint64_t>(globe->GetMeanRadius());
    auto const max = std::bit_cast<std::uint64_t>(globe->GetMaxRadius());
    EXPECT_EQ(Digest(*globe), Recorded().grownDigest) << std::hex << "0x" << Digest(*globe);
    EXPECT_EQ(mean, Recorded().grownMean) << std::hex << "0x" << mean;
    EXPECT_EQ(max, Recorded().grownMax) << std::hex << "0x" << max;
}

}
