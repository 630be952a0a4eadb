#include "globe/globe.h"
#include "globe/portable_trig.h"
#include "globe/random.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <memory>

namespace {

struct GridConstants {
    int n;
    std::uint32_t rowStep;
    std::uint32_t columnStep;
    std::uint64_t meanFactor;
    float invGridN;
};

constexpr GridConstants TABLE[] = {
    { 75, 0x3D2B92A6, 0x3DAB92A6, 0x3F274D3B7BA75828, 0.013333333656191826f },
    { 200, 0x3C80ADFD, 0x3D00ADFD, 0x3EFA36E2EB1C432D, 0.004999999888241291f },
    { 500, 0x3BCDE32E, 0x3C4DE32E, 0x3ED0C6F7A0B5ED8D, 0.0020000000949949026f },
    { 700, 0x3B930FFC, 0x3C130FFC, 0x3EC11E9EA3FD8F22, 0.0014285714132711291f },
    { 1000, 0x3B4DE32E, 0x3BCDE32E, 0x3EB0C6F7A0B5ED8D, 0.0010000000474974513f },
};

TEST(GridConstants, HoldExactBitPatternsForThisGridSize)
{
    GridConstants const* row = nullptr;
    for (auto const& entry : TABLE) {
        if (entry.n == GRID_N)
            row = &entry;
    }
    ASSERT_NE(row, nullptr) << "no table row for GRID_N " << GRID_N;
    EXPECT_EQ(std::bit_cast<std::uint32_t>(GRID_ROW_STEP), row->rowStep);
    EXPECT_EQ(std::bit_cast<std::uint32_t>(GRID_COLUMN_STEP), row->columnStep);
    EXPECT_EQ(std::bit_cast<std::uint64_t>(GRID_MEAN_FACTOR), row->meanFactor);
    EXPECT_EQ(INV_GRID_N, row->invGridN);
    EXPECT_EQ(GRID_COLUMN_STEP, 2.0f * GRID_ROW_STEP);
}

class FreshGlobe : public ::testing::Test {
protected:
    std::unique_ptr<Globe> globe = std::make_unique<Globe>();
};

TEST_F(FreshGlobe, HoldsItsGridInsideTheObject)
{
    EXPECT_GE(sizeof(Globe), sizeof(GlobePoint) * GRID_N * GRID_N);
    EXPECT_EQ(sizeof(GlobePoint), 12u);
    auto const* begin = reinterpret_cast<char const*>(globe.get());
    auto const* points = reinterpret_cast<char const*>(globe->Points());
    EXPECT_TRUE(points >= begin && points + 12 * GRID_N * GRID_N <= begin + sizeof(Globe));
}

TEST_F(FreshGlobe, RowZeroIsThePoleRepeated)
{
    for (int j = 0; j < GRID_N; ++j) {
        float x = -1, y = -1, z = -1;
        ASSERT_TRUE(globe->GetPoint(0, j, &x, &y, &z));
        EXPECT_EQ(x, 0.0f);
        EXPECT_EQ(y, 0.0f);
        EXPECT_EQ(z, 2000.0f);
    }
}

TEST_F(FreshGlobe, ColumnZeroLiesInTheXzPlane)
{
    for (int i = 0; i < GRID_N; ++i) {
        float x, y, z;
        ASSERT_TRUE(globe->GetPoint(i, 0, &x, &y, &z));
        EXPECT_EQ(y, 0.0f) << "row " << i;
    }
}

TEST_F(FreshGlobe, LastRowStopsOneStepShortOfTheSouthPole)
{
    double const theta = (GRID_N - 1) * static_cast<double>(GRID_ROW_STEP);
    auto const z = static_cast<float>(PortableCos(theta) * 2000.0);
    double const s = PortableSin(theta);
    for (int j = 0; j < GRID_N; ++j) {
        float px, py, pz;
        ASSERT_TRUE(globe->GetPoint(GRID_N - 1, j, &px, &py, &pz));
        EXPECT_EQ(pz, z);
        EXPECT_GT(pz, -2000.0f);
        double const phi = j * static_cast<double>(GRID_COLUMN_STEP);
        EXPECT_EQ(px, static_cast<float>((PortableCos(phi) * 2000.0) * s));
        EXPECT_EQ(py, static_cast<float>((PortableSin(phi) * 2000.0) * s));
    }
}

TEST_F(FreshGlobe, GetPointRejectsIndicesOutsideTheGrid)
{
    int const bad[][2] = { { GRID_N, 0 }, { -1, 0 }, { 0, GRID_N }, { 0, -1 }, { INT32_MIN, INT32_MAX } };
    for (auto const& index : bad) {
        float x = 1.5f, y = 2.5f, z = 3.5f;
        EXPECT_FALSE(globe->GetPoint(index[0], index[1], &x, &y, &z));
        EXPECT_EQ(x, 1.5f);
        EXPECT_EQ(y, 2.5f);
        EXPECT_EQ(z, 3.5f);
    }
    float x, y, z;
    ASSERT_TRUE(globe->GetPoint(GRID_N - 1, GRID_N - 1, &x, &y, &z));
    GlobePoint const last = globe->Points()[GRID_N * GRID_N - 1];
    EXPECT_EQ(x, last.x);
    EXPECT_EQ(y, last.y);
    EXPECT_EQ(z, last.z);
}

TEST_F(FreshGlobe, HasNoMaximumUntilTheStatisticsRun)
{
    EXPECT_EQ(globe->GetMaxRadius(), 0.0);
    globe->UpdateStatistics();
    EXPECT_NEAR(globe->GetMaxRadius(), 2000.0, 0.01);
    EXPECT_NEAR(globe->GetMeanRadius(), 2000.0, 0.01);
    EXPECT_LE(globe->GetMeanRadius(), globe->GetMaxRadius());
}

TEST_F(FreshGlobe, StatisticsFollowTheRadiusRule)
{
    globe->UpdateStatistics();
    double maximum = PointRadius(globe->Points()[0]);
    double sum = 0.0;
    for (int k = 0; k < GRID_N * GRID_N; ++k) {
        double const r = PointRadius(globe->Points()[k]);
        maximum = r > maximum ? r : maximum;
        sum += r;
    }
    EXPECT_EQ(globe->GetMaxRadius(), maximum);
    EXPECT_EQ(globe->GetMeanRadius(), sum * GRID_MEAN_FACTOR);
}

// A globe made from another's grid has its statistics and, from the same
// seeds, grows on exactly as the other does; it is a globe of its own, with
// a generation of its own.
TEST(GlobeFromGrid, IsTheGlobeItWasCopiedFrom)
{
    g_random = RandomGenerator(31, 41, false);
    auto const original = std::make_unique<Globe>();
    original->Dissect(1);
    original->Dissect(50);
    auto const copy = std::make_unique<Globe>(original->Points());
    EXPECT_NE(copy->Generation(), original->Generation());
    EXPECT_EQ(std::bit_cast<std::uint64_t>(copy->GetMeanRadius()), std::bit_cast<std::uint64_t>(original->GetMeanRadius()));
    EXPECT_EQ(std::bit_cast<std::uint64_t>(copy->GetMaxRadius()), std::bit_cast<std::uint64_t>(original->GetMaxRadius()));

    for (Globe* globe : { original.get(), copy.get() }) {
        g_random = RandomGenerator(59, 26, false);
        globe->Dissect(50);
    }
    EXPECT_EQ(std::memcmp(copy->Points(), original->Points(), sizeof(GlobePoint) * GRID_POINT_COUNT), 0);
    EXPECT_EQ(copy->GetMaxRadius(), original->GetMaxRadius());
}

TEST(PointRadius, TakesTheHorizontalLengthFirst)
{
    EXPECT_EQ(PointRadius(3.0f, 4.0f, 12.0f), 13.0);
    double const h = std::sqrt(0.1f * static_cast<double>(0.1f) + 0.2f * static_cast<double>(0.2f));
    EXPECT_EQ(PointRadius(0.1f, 0.2f, 0.3f), std::sqrt(h * h + 0.3f * static_cast<double>(0.3f)));
}

}
