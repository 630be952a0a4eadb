// The Windows grower ended mid-growth, with three temporary files pending:
// by Ctrl+C sent for real to the console's processes (Wine sends no other
// console event); by a closed window, a logoff and a shutdown delivered to
// its console control handler by the test build
// (tests/windows/grower_test_hooks.cpp), as Windows would, on a thread of its
// own; and by the session's end sent to its hidden window. Each ends the run
// with its own status and leaves no file behind.
#include "grower/session_end_window.h"
#include "tests/windows/grower_process.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>

using namespace grower_process;

namespace {

// The C runtime's status for a signal whose default action ends the
// process (SIGINT, SIGBREAK, SIGTERM, SIGABRT).
constexpr DWORD SIGNAL_EXIT_STATUS = 3;
constexpr DWORD CONSOLE_CLOSED_STATUS = 129;
constexpr DWORD SESSION_ENDING_STATUS = 143;

constexpr char const* MID_GROWTH_ARGUMENTS
    = "--passes 2000000000 --dump grid.bin --heightmap relief.r16 --image map.png --view map --size 64x32";

class ConsoleControl : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        // Control events go to the processes of a console: the grower
        // shares this program's. Without a console window (Wine gives a
        // program started without a terminal a console that carries no
        // events) a new one is made. The standard handles stay where the
        // test's output goes, and Ctrl+C does not end this program.
        if (!GetConsoleWindow()) {
            HANDLE const input = GetStdHandle(STD_INPUT_HANDLE);
            HANDLE const output = GetStdHandle(STD_OUTPUT_HANDLE);
            HANDLE const error = GetStdHandle(STD_ERROR_HANDLE);
            FreeConsole();
            AllocConsole();
            SetStdHandle(STD_INPUT_HANDLE, input);
            SetStdHandle(STD_OUTPUT_HANDLE, output);
            SetStdHandle(STD_ERROR_HANDLE, error);
        }
        SetConsoleCtrlHandler(KeepRunning, TRUE);
    }

    // Not SetConsoleCtrlHandler(nullptr, TRUE): the grower would inherit it
    // and ignore Ctrl+C as well.
    static BOOL WINAPI KeepRunning(DWORD event) { return event == CTRL_C_EVENT; }

    // Waits up to 20 seconds for the grower's first temporary file.
    bool WaitForTemporaryFile(Child const& child) const
    {
        for (ULONGLONG const start = GetTickCount64(); GetTickCount64() - start < 20000; Sleep(5)) {
            if (!child.Running())
                return false;
            for (std::string const& name : scratch.Entries()) {
                if (name.rfind(".morva-", 0) == 0)
                    return true;
            }
        }
        return false;
    }

    std::string Leftovers() const
    {
        std::string names;
        for (std::string const& name : scratch.Entries())
            names += " " + name;
        return names;
    }

    // The test build, made to deliver `event` once a temporary file exists.
    DWORD EndThroughHandler(DWORD event)
    {
        ScopedVariable const hook("MORVA_TEST_CONSOLE_EVENT", std::to_string(event));
        Child child(ProgramFolder() + "\\morva75-grower-test-hooks.exe", MID_GROWTH_ARGUMENTS, scratch);
        EXPECT_TRUE(child.Started());
        return child.Wait(30000);
    }

    ScratchFolder scratch;
};

struct WindowSearch {
    DWORD process;
    HWND found;
};

BOOL CALLBACK MatchSessionEndWindow(HWND window, LPARAM parameter)
{
    auto& search = *reinterpret_cast<WindowSearch*>(parameter);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    wchar_t name[64] = {};
    GetClassNameW(window, name, 64);
    if (process == search.process && std::wstring(name) == SESSION_END_WINDOW_CLASS) {
        search.found = window;
        return FALSE;
    }
    return TRUE;
}

// The grower's hidden window, which hears of the session's end.
HWND SessionEndWindowOf(Child const& child)
{
    WindowSearch search { child.Id(), nullptr };
    EnumWindows(MatchSessionEndWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

}

TEST_F(ConsoleControl, CtrlCEndsTheRunAsSigintAndLeavesNothing)
{
    Child child(ProgramFolder() + "\\morva75-grower.exe", MID_GROWTH_ARGUMENTS, scratch);
    ASSERT_TRUE(child.Started());
    ASSERT_TRUE(WaitForTemporaryFile(child)) << ReadWholeFile(scratch.OutputFile());
    ASSERT_TRUE(GenerateConsoleCtrlEvent(CTRL_C_EVENT, 0)) << GetLastError();
    EXPECT_EQ(child.Wait(30000), SIGNAL_EXIT_STATUS);
    EXPECT_EQ(Leftovers(), "");
}

TEST_F(ConsoleControl, AClosedWindowEndsTheRunWithItsStatusAndLeavesNothing)
{
    // The handler may come while a later file is being made: a few runs.
    for (int run = 0; run < 4; ++run) {
        EXPECT_EQ(EndThroughHandler(CTRL_CLOSE_EVENT), CONSOLE_CLOSED_STATUS) << ReadWholeFile(scratch.OutputFile());
        EXPECT_EQ(Leftovers(), "") << "run " << run;
    }
}

// What Windows sends the windows of a process that uses user32, in place of
// the console's logoff and shutdown events.
TEST_F(ConsoleControl, TheSessionsEndSentToItsWindowEndsTheRunAndLeavesNothing)
{
    Child child(ProgramFolder() + "\\morva75-grower.exe", MID_GROWTH_ARGUMENTS, scratch);
    ASSERT_TRUE(child.Started());
    ASSERT_TRUE(WaitForTemporaryFile(child)) << ReadWholeFile(scratch.OutputFile());
    HWND const window = SessionEndWindowOf(child);
    ASSERT_NE(window, nullptr);
    DWORD_PTR mayEnd = 0;
    ASSERT_TRUE(SendMessageTimeoutW(window, WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF, SMTO_ABORTIFHUNG, 10000, &mayEnd));
    EXPECT_TRUE(mayEnd);
    EXPECT_TRUE(child.Running()) << "a query alone ended the run";
    DWORD_PTR ignored = 0;
    SendMessageTimeoutW(window, WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF, SMTO_ABORTIFHUNG, 10000, &ignored);
    EXPECT_EQ(child.Wait(30000), SESSION_ENDING_STATUS);
    EXPECT_EQ(Leftovers(), "");
}

TEST_F(ConsoleControl, ALogoffOrShutdownEndsTheRunWithItsStatusAndLeavesNothing)
{
    EXPECT_EQ(EndThroughHandler(CTRL_LOGOFF_EVENT), SESSION_ENDING_STATUS) << ReadWholeFile(scratch.OutputFile());
    EXPECT_EQ(Leftovers(), "");
    EXPECT_EQ(EndThroughHandler(CTRL_SHUTDOWN_EVENT), SESSION_ENDING_STATUS) << ReadWholeFile(scratch.OutputFile());
    EXPECT_EQ(Leftovers(), "");
}
