// Runs the grower as a user would and checks what it prints and writes.
#include "tests/cli_test_support.h"

#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <filesystem>
#include <sstream>
#include <string>

namespace fs = std::filesystem;

namespace {

using cli_test::ProcessResult;
using cli_test::Slurp;

// The summary line: seeds=S1,S2 passes=P mean_radius=M max_radius=X
struct Summary {
    std::string seeds;
    std::string passes;
    double meanRadius = 0;
    double maxRadius = 0;
    bool complete = false;
};

Summary ParseSummary(std::string const& line)
{
    Summary summary;
    std::istringstream in(line);
    std::string field;
    int fields = 0;
    while (in >> field) {
        auto const equals = field.find('=');
        if (equals == std::string::npos)
            return {};
        std::string const key = field.substr(0, equals);
        std::string const value = field.substr(equals + 1);
        if (key == "seeds")
            summary.seeds = value;
        else if (key == "passes")
            summary.passes = value;
        else if (key == "mean_radius")
            summary.meanRadius = std::stod(value);
        else if (key == "max_radius")
            summary.maxRadius = std::stod(value);
        else
            return {};
        ++fields;
    }
    summary.complete = fields == 4 && line.back() == '\n' && line.find('\n') == line.size() - 1;
    return summary;
}

class GrowerCli : public cli_test::ScratchFolderTest {
protected:
    GrowerCli()
        : ScratchFolderTest("morva-cli-")
    {
    }

    ProcessResult RunGrower(std::string const& program, std::string const& args)
    {
        return Run("'" + program + "' " + args);
    }
};

TEST_F(GrowerCli, PrintsOneSummaryLineAndIsReproducible)
{
    ProcessResult const first = RunGrower(GROWER75, "--seeds 1802,9373 --passes 151");
    ASSERT_EQ(first.status, 0) << first.err;
    Summary const summary = ParseSummary(first.out);
    EXPECT_TRUE(summary.complete) << first.out;
    EXPECT_EQ(summary.seeds, "1802,9373");
    EXPECT_EQ(summary.passes, "151");
    EXPECT_GT(summary.maxRadius, summary.meanRadius) << first.out;
    EXPECT_GT(summary.meanRadius, 1500.0) << first.out;
    EXPECT_EQ(first.err, "");
    EXPECT_EQ(RunGrower(GROWER75, "--seeds 1802,9373 --passes 151").out, first.out);
    EXPECT_NE(RunGrower(GROWER75, "--seeds 1802,9373 --passes 152").out, first.out);
}

TEST_F(GrowerCli, TickSeedsAreReportedSoThePlanetCanBeGrownAgain)
{
    ProcessResult const ticked = RunGrower(GROWER75, "--passes 60 --quiet");
    ASSERT_EQ(ticked.status, 0) << ticked.err;
    Summary const summary = ParseSummary(ticked.out);
    auto const comma = summary.seeds.find(',');
    ASSERT_NE(comma, std::string::npos) << ticked.out;
    EXPECT_LE(std::stoi(summary.seeds.substr(0, comma)), 31327);
    EXPECT_LE(std::stoi(summary.seeds.substr(comma + 1)), 30080);
    ProcessResult const again = RunGrower(GROWER75, "--passes 60 --seeds " + summary.seeds);
    EXPECT_EQ(again.out, ticked.out);
}

TEST_F(GrowerCli, OutOfRangeSeedsWarnAndFallBack)
{
    ProcessResult const fallback = RunGrower(GROWER75, "--seeds 99999,5 --passes 51");
    ASSERT_EQ(fallback.status, 0);
    EXPECT_NE(fallback.err.find("warning"), std::string::npos);
    EXPECT_EQ(std::count(fallback.err.begin(), fallback.err.end(), '\n'), 1);
    EXPECT_EQ(fallback.out.rfind("seeds=99999,5 passes=51 ", 0), 0u) << fallback.out;
    ProcessResult const plain = RunGrower(GROWER75, "--seeds 1802,9373 --passes 51");
    EXPECT_EQ(fallback.out.substr(fallback.out.find(" mean")), plain.out.substr(plain.out.find(" mean")));
}

TEST_F(GrowerCli, DumpsTheGridAsLittleEndianFloats)
{
    auto const dump = folder / "grid.bin";
    ProcessResult const run = RunGrower(GROWER200, "--seeds 1,2 --passes 3 --dump '" + dump.string() + "'");
    ASSERT_EQ(run.status, 0) << run.err;
    std::string const bytes = Slurp(dump);
    ASSERT_EQ(bytes.size(), 12u * 200 * 200);
    // Row 0 is the +z pole: x and y are zero (of either sign) in every
    // column, and z is a little-endian float above 2000 or below it.
    auto const word = [&](std::size_t offset) {
        return static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[offset]))
            | static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[offset + 1])) << 8
            | static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[offset + 2])) << 16
            | static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[offset + 3])) << 24;
    };
    for (int j = 0; j < 200; ++j) {
        ASSERT_EQ(word(12 * j) & 0x7FFFFFFFu, 0u);
        ASSERT_EQ(word(12 * j + 4) & 0x7FFFFFFFu, 0u);
        float const z = std::bit_cast<float>(word(12 * j + 8));
        ASSERT_GT(z, 1900.0f);
        ASSERT_LT(z, 2100.0f);
    }
    EXPECT_EQ(Entries(), 1u);
}

TEST_F(GrowerCli, BadInputFailsWithOneLineAndNoFile)
{
    auto const dump = folder / "grid.bin";
    std::string const dumpArg = " --dump '" + dump.string() + "'";
    std::string const bad[] = {
        "--bogus" + dumpArg,
        "--passes 0" + dumpArg,
        "--passes 2147483648" + dumpArg,
        "--passes abc" + dumpArg,
        "--seeds 1" + dumpArg,
        "--passes",
        "--dump '" + (folder / "missing" / "grid.bin").string() + "'",
        "--dump '" + folder.string() + "'",
    };
    for (auto const& args : bad) {
        ProcessResult const run = RunGrower(GROWER75, args);
        EXPECT_EQ(run.status, 2) << args;
        EXPECT_EQ(run.out, "") << args;
        EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << args << ": " << run.err;
        EXPECT_EQ(run.err.rfind("morva75-grower: ", 0), 0u) << run.err;
        EXPECT_EQ(Entries(), 0u) << args;
    }
}

// --version names the program and its release, which the metadata of every
// planet it grows records too.
TEST_F(GrowerCli, TellsItsReleaseAndRecordsItInTheMetadata)
{
    ProcessResult const version = RunGrower(GROWER75, "--version");
    EXPECT_EQ(version.status, 0) << version.err;
    EXPECT_EQ(version.out, "morva75-grower " MORVA_VERSION "\n");
    EXPECT_EQ(version.err, "");
    ProcessResult const grown = RunGrower(GROWER75, "--seeds 1,2 --passes 1 --metadata '" + File("m.json") + "'");
    ASSERT_EQ(grown.status, 0) << grown.err;
    EXPECT_NE(Slurp(folder / "m.json").find("\"version\": \"" MORVA_VERSION "\""), std::string::npos);
}

TEST_F(GrowerCli, ProgressStaysOffWhenStderrIsNotATerminal)
{
    ProcessResult const run = RunGrower(GROWER75, "--seeds 5,6 --passes 200");
    ASSERT_EQ(run.status, 0);
    EXPECT_EQ(run.err, "");
}

}
