#pragma once

// Running the real program in tests: its WinMain, window procedure and About
// box procedure, on the headless USER subset with the virtual clock.
//
// Every message that reaches MainWindowProc or AboutDialogProc is logged.
// The test executable is linked with --wrap for both procedures, so the
// window class and DialogBoxParamA get logging wrappers that call the real
// procedures.

#include "app/app_state.h"
#include "tests/user/support/user_testing.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace app_test {

struct LoggedMessage {
    HWND hwnd;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    // The application state as the message arrived.
    int count;
    bool autoDissect;
    bool autoDraw;
};

// What reached MainWindowProc and AboutDialogProc since the test began.
std::vector<LoggedMessage>& WindowLog();
std::vector<LoggedMessage>& DialogLog();

// True when the log has a message `message` with this wParam.
bool Logged(std::vector<LoggedMessage> const& log, UINT message, WPARAM wParam);
std::size_t CountLogged(std::vector<LoggedMessage> const& log, UINT message);

// The main window: the top-level window titled "Morva"; null when none.
HWND MainWindow();
std::string WindowText(HWND hwnd);

// Every test starts as a fresh process would: the application state zero,
// no map buffer, no Globe, a clean USER on the virtual clock, a display of
// 800 x 600, and the program's own resources.
class AppTest : public testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
};

using winapi::testing::Do;
using winapi::testing::Image;
using winapi::testing::RunWinMain;
using winapi::testing::Step;
using winapi::testing::WaitUntil;

// A step that waits for `condition` and then runs `action` in the same idle
// moment, before any further message.
Step WaitThen(std::function<bool()> condition, std::function<void()> action);

// A step that is done after it has been asked `count` times: with the
// virtual clock, each idle moment after the first lets one timer message
// through.
Step IdleMoments(int count);

// The layout numbers of a paint of a client area, as the tests write them
// out by hand for each size: the drawing area (left, top, right, bottom)
// and where its halves meet.
struct Layout {
    int left, top, right, bottom, midX, midY;
};

// What a paint of the main window should leave on its client area, drawn
// independently onto a copy of `before`: the lower view in (left, top,
// midX, midY), the upper view in (midX, top, right, midY) and the map
// buffer in (left, midY, right, bottom), or the map alone in the drawing
// area; then the status text with `count` in (left, 0, right, 25); each
// cell by cell through GDI and DrawTextA.
Image ExpectedPaint(Image const& before, Layout const& layout, int count, bool onlyMap);

// The map buffer's pixels as they are, and the map of the current globe
// drawn cell by cell through GDI over a black bitmap of the same size.
Image MapBufferPixels();
Image MapThroughGdi();

// A client area filled with the class background, as an erase leaves it.
Image Erased(int width, int height);

// Pixels inside [left, right) x [top, bottom) that are not white.
int NonWhitePixels(Image const& image, int left, int top, int right, int bottom);

// Number of differing pixels, and a description of the first one.
std::size_t CountDifferences(Image const& actual, Image const& expected, std::string* first = nullptr);

}
