// The Windows grower when real GDI calls fail: the test build
// (tests/windows/grower_test_hooks.cpp) takes every GDI handle the process
// may have and gives back a few, so that making the surface (the screen's
// DC, the memory DC, the DIB section) or, drawn cell by cell, the cells'
// brushes and pens fail for real. Each run either writes the very picture a
// normal run writes or fails with one line, exit status 4 and no file.
#include "tests/windows/grower_process.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <set>
#include <string>

using namespace grower_process;

namespace {

constexpr DWORD NO_MEMORY_STATUS = 4;
constexpr int MOST_HANDLES_GIVEN_BACK = 40;

class GdiFailure : public ::testing::TestWithParam<char const*> {
protected:
    std::string Arguments() const
    {
        return std::string("--seeds 7,11 --passes 40 --image picture.png --size 96x48 --view ") + GetParam();
    }

    std::string Reference()
    {
        ScratchFolder scratch;
        Child child(ProgramFolder() + "\\morva75-grower.exe", Arguments(), scratch);
        EXPECT_EQ(child.Wait(60000), 0u) << ReadWholeFile(scratch.OutputFile());
        return ReadWholeFile(scratch.Outputs() + "\\picture.png");
    }

    // Runs the test build with `handles` GDI handles left, drawing cell by
    // cell or not, and checks what it did. Returns the failure's message,
    // or an empty string when the run wrote the reference picture.
    std::string RunWithHandlesLeft(int handles, bool cellByCell, std::string const& reference)
    {
        ScratchFolder scratch;
        ScopedVariable const left("MORVA_TEST_GDI_HANDLES_LEFT", std::to_string(handles));
        ScopedVariable const cells("MORVA_TEST_CELL_BY_CELL", cellByCell ? "1" : "0");
        Child child(ProgramFolder() + "\\morva75-grower-test-hooks.exe", Arguments(), scratch);
        DWORD const status = child.Wait(60000);
        std::string printed = ReadWholeFile(scratch.OutputFile());
        printed.erase(std::remove(printed.begin(), printed.end(), '\r'), printed.end());
        std::string const context = std::to_string(handles) + " handles left, "
            + (cellByCell ? "cell by cell: " : "direct: ") + printed;
        if (status == 0) {
            EXPECT_TRUE(ReadWholeFile(scratch.Outputs() + "\\picture.png") == reference)
                << "a wrong picture with " << context;
            return {};
        }
        EXPECT_EQ(status, NO_MEMORY_STATUS) << context;
        EXPECT_TRUE(scratch.Entries().empty()) << "a file left with " << context;
        EXPECT_EQ(std::count(printed.begin(), printed.end(), '\n'), 1) << context;
        EXPECT_EQ(printed.rfind("morva75-grower: not enough memory ", 0), 0u) << context;
        return printed.empty() ? std::string("(nothing printed)") : printed;
    }

    // Gives back one handle more each run until a run succeeds; returns the
    // failures' messages.
    std::set<std::string> FailuresUpToSuccess(bool cellByCell)
    {
        std::string const reference = Reference();
        EXPECT_FALSE(reference.empty());
        std::set<std::string> failures;
        for (int handles = 0; handles <= MOST_HANDLES_GIVEN_BACK; ++handles) {
            std::string const failure = RunWithHandlesLeft(handles, cellByCell, reference);
            if (failure.empty())
                return failures;
            failures.insert(failure);
        }
        ADD_FAILURE() << "no run succeeded with up to " << MOST_HANDLES_GIVEN_BACK << " handles left";
        return failures;
    }
};

}

TEST_P(GdiFailure, AFailedSurfaceIsAnErrorAndNeverAWrongPicture)
{
    std::set<std::string> const failures = FailuresUpToSuccess(false);
    EXPECT_TRUE(failures.count("morva75-grower: not enough memory for the drawing surface\n")) << failures.size();
}

TEST_P(GdiFailure, AFailedCellIsAnErrorAndNeverAWrongPicture)
{
    std::set<std::string> const failures = FailuresUpToSuccess(true);
    EXPECT_TRUE(failures.count("morva75-grower: not enough memory for the drawing surface\n")) << failures.size();
    EXPECT_TRUE(failures.count("morva75-grower: not enough memory to draw the picture\n")) << failures.size();
}

INSTANTIATE_TEST_SUITE_P(Views, GdiFailure, ::testing::Values("map", "lower", "upper"));
