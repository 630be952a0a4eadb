// The Windows grower cannot paint the program's window: --view window is bad
// input, refused with one line before anything is grown or any file made.
#include "tests/windows/grower_process.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <string>

using namespace grower_process;

namespace {

constexpr DWORD BAD_INPUT_STATUS = 2;

TEST(WindowViewOnWindows, IsRefusedAsBadInputBeforeAnyWork)
{
    ScratchFolder scratch;
    // Every pass there is: a run that began growing would not end in time.
    Child child(ProgramFolder() + "\\morva75-grower.exe",
        "--passes 2147483647 --image w.png --view window --size 64x48 --metadata m.json", scratch);
    ASSERT_TRUE(child.Started());
    DWORD const status = child.Wait(60000);
    std::string printed = ReadWholeFile(scratch.OutputFile());
    printed.erase(std::remove(printed.begin(), printed.end(), '\r'), printed.end());
    EXPECT_EQ(status, BAD_INPUT_STATUS) << printed;
    EXPECT_EQ(printed.rfind("morva75-grower: --view window: this build cannot paint", 0), 0u) << printed;
    EXPECT_EQ(std::count(printed.begin(), printed.end(), '\n'), 1) << printed;
    EXPECT_TRUE(scratch.Entries().empty()) << "a file made by a refused run";
}

}
