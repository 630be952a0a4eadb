// The window program with too little memory, run as a user would, headless:
// it ends by itself with a message, never with a crash or a hang.
#include "tests/cli_test_support.h"
#include "tests/private_fonts.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace {

using cli_test::ProcessResult;

constexpr int TIMED_OUT = 124; // timeout(1): the program was still running
constexpr int EXIT_NO_MEMORY = 4;

class ProgramMemory : public cli_test::ScratchFolderTest {
protected:
    ProgramMemory()
        : ScratchFolderTest("morva-program-memory-")
    {
    }

    ProcessResult RunProgram(std::string const& environment, int seconds, std::string const& limit = "")
    {
        // Qt's note that it has no runtime folder would be a line of its own.
        std::filesystem::path const runtime = folder / "runtime";
        std::filesystem::create_directories(runtime);
        std::filesystem::permissions(runtime, std::filesystem::perms::owner_all);
        return Run("env XDG_RUNTIME_DIR='" + runtime.string()
            + "' QT_QPA_PLATFORM=offscreen ASAN_OPTIONS=verify_asan_link_order=0:detect_leaks=0 " + environment
            + " sh -c '" + limit + " exec timeout " + std::to_string(seconds) + " \"$0\"' '" + PROGRAM75_ALLOCATION_LIMIT
            + "'");
    }

    enum class Outcome { NotStarted, Ended, Running };

    // How a run with too little memory went, expecting one of the three
    // ways it may end: exit 0 with a start-up message, EXIT_NO_MEMORY with
    // the run-time message, or still running at the time limit.
    Outcome Judge(ProcessResult const& run, std::string const& limit)
    {
        EXPECT_EQ(run.out, "") << limit;
        if (run.status == TIMED_OUT)
            return Outcome::Running;
        if (run.status == 0) {
            bool const noInterface = run.err.find("not enough memory to start the user interface\n") != std::string::npos;
            bool const noGlobe = run.err.find("There is not enough memory for the globe.") != std::string::npos;
            EXPECT_TRUE(noInterface || noGlobe) << limit << ": " << run.err;
            return Outcome::NotStarted;
        }
        EXPECT_EQ(run.status, EXIT_NO_MEMORY) << limit << ": " << run.err;
        EXPECT_NE(run.err.find(": not enough memory to go on\n"), std::string::npos) << limit << ": " << run.err;
        return Outcome::Ended;
    }
};

// The globe does not fit, and neither can Qt start the threads a message box
// needs: the message goes to the standard error stream instead of waiting
// for ever.
TEST_F(ProgramMemory, NoGlobeAndNoThreadsIsAMessageOnStandardError)
{
    // Any request as large as the 75 x 75 grid (67,500 bytes) fails.
    ProcessResult const run = RunProgram(
        std::string("MORVA_ALLOCATION_SIZE_LIMIT=60000 LD_PRELOAD='") + THREAD_REFUSAL_LIBRARY + "'", 60);
    ASSERT_NE(run.status, TIMED_OUT) << "the program hung";
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.err.find("Morva: There is not enough memory for the globe.\n"), std::string::npos) << run.err;
}

// Memory gone for good after a given number of allocations. Each run ends
// by itself with a message (exit 0 when the program could not start, as a
// failed window creation ends it; EXIT_NO_MEMORY once it was running), or is
// still running at the time limit because it had all it needed. Every one
// of the first allocations, where Qt starts, then growing steps.
TEST_F(ProgramMemory, EveryFailedAllocationEndsTheProgramWithAMessage)
{
    int notStarted = 0;
    int ended = 0;
    int ran = 0;
    for (long long allowed = 0; allowed < 60000; allowed = allowed < 40 ? allowed + 1 : allowed * 3 / 2) {
        std::string const limit = "MORVA_ALLOCATIONS_ALLOWED=" + std::to_string(allowed);
        Outcome const outcome = Judge(RunProgram(limit, 8), limit);
        notStarted += outcome == Outcome::NotStarted;
        ended += outcome == Outcome::Ended;
        ran += outcome == Outcome::Running;
        if (HasFailure())
            return;
    }
    EXPECT_GT(notStarted, 0);
    EXPECT_GT(ended, 0);
    EXPECT_GT(ran, 0);
}

// The whole address space limited, from where the libraries cannot even
// load, through Qt's static initialisers, its platform plugin and
// fontconfig, to where the program runs: never a crash or a hang.
TEST_F(ProgramMemory, AnAddressSpaceLimitNeverCrashesTheProgram)
{
#ifdef MORVA_SANITIZED
    GTEST_SKIP() << "the sanitizers reserve more address space than any limit allows";
#endif
    cli_test::PrivateFonts const fonts;
    // A run with all the memory it needs fills the cache the others start from.
    RunProgram(fonts.Variable(), 2);
    fonts.KeepCache();
    int started = 0;
    int ended = 0;
    for (int megabytes = 64; megabytes <= 256; megabytes += megabytes < 100 ? 1 : 64) {
        std::string const limit = "ulimit -v " + std::to_string(megabytes * 1024) + ";";
        fonts.RestoreCache();
        ProcessResult const run = RunProgram(fonts.Variable(), 2, limit);
        if (run.status == 127 && run.err.find("error while loading shared libraries") != std::string::npos)
            continue; // the system could not load it
        Outcome const outcome = Judge(run, limit);
        started += outcome == Outcome::Running;
        ended += outcome == Outcome::Ended;
        if (HasFailure())
            return;
    }
    EXPECT_GT(started, 0);
    // Somewhere between the two, Qt has no memory for the window's backing
    // store: a window that could show nothing ends the program.
    EXPECT_GT(ended, 0);
}

}
