// Driving USER from tests: time, the queue, the keyboard, the menu bar,
// dialogs, window frames and pixels, and running a program's WinMain with a
// script of steps between its messages. What a program run headless needs
// as well (the top-level windows, resizing, dispatching, client pixels) is
// winapi/user/headless.h; here it keeps the names the tests know.
//
// Everything here goes through the same paths a user's actions take: keys
// are Qt key events delivered to the focused widget (or the open menu),
// menu items are triggered like a click, close boxes close through Qt. Run
// tests headless with QT_QPA_PLATFORM=offscreen.
//
// Typical use, with the program's real WinMain:
//
//     winapi::testing::UseVirtualClock();
//     auto const run = winapi::testing::RunWinMain(WinMain, {
//         winapi::testing::WaitUntil([] { return g_dissectCount >= 51; }),
//         winapi::testing::Do([&] { winapi::testing::PressKey(MainWindow(), 'R', winapi::testing::Control); }),
//         winapi::testing::Do([&] { winapi::testing::ChooseMenuItem(MainWindow(), CMD_EXIT); }),
//     });
//     EXPECT_TRUE(run.finished);
//     EXPECT_EQ(run.exitCode, 0);
#pragma once

#include "winapi/user/headless.h"

#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace winapi::testing {

// ---- Time ------------------------------------------------------------------

// A virtual clock stands still while there is work and, when the message
// loop idles, jumps to the next timer that is due: timer behaviour is exact
// and nothing waits. Choose it before creating windows and timers.
void UseVirtualClock();
void UseRealClock();

// USER's clock in milliseconds, as message times and timers see it.
DWORD CurrentTime();

// Moves the virtual clock forward.
void AdvanceClock(DWORD milliseconds);

// ---- The queue, outside a program's message loop ---------------------------

// Takes and dispatches (TranslateMessage, DispatchMessageA) every message
// available now: posted, input, WM_PAINT and due timers, until there is none
// (winapi::headless::DispatchPending). Does not move the virtual clock.
// Returns how many were dispatched.
inline int PumpUntilIdle(int maxMessages = 100000)
{
    return headless::DispatchPending(maxMessages);
}

// Dispatches messages until `done` holds (checked before each one), letting
// the virtual clock run to the next timer when there is nothing else. False
// if `maxMessages` pass first or nothing could ever arrive.
bool PumpUntil(std::function<bool()> const& done, int maxMessages = 1000000);

// ---- Keyboard --------------------------------------------------------------

enum Modifier : unsigned {
    NoModifier = 0,
    Shift = 1,
    Control = 2,
    Alt = 4,
};

// Presses and releases a key as the keyboard would, with the modifiers going
// down before it and up after it. `virtualKey` is a Win32 virtual-key code
// of the US layout ('A'..'Z', '0'..'9', VK_OEM_2 for "/" and "?", VK_RETURN,
// VK_ESCAPE, VK_F10, ...). The keys go to the open pop-up menu if there is
// one, otherwise to the focused widget of `hwnd`'s window, which is made the
// active window first. A disabled window takes no keys: false, and nothing
// is sent.
bool PressKey(HWND hwnd, int virtualKey, unsigned modifiers = NoModifier);

// ---- Menu bar --------------------------------------------------------------

struct MenuItemInfo {
    std::string text; // as shown: "&" marks, then a tab and the key caption
    UINT id = 0;      // 0 for a pop-up
    bool popup = false;
    bool enabled = true;
    bool hasShortcut = false; // a Qt shortcut, which a menu item must never have
    std::vector<MenuItemInfo> items;
};

std::vector<MenuItemInfo> MenuBarItems(HWND hwnd);

// Chooses the command item `id` as a click would. False when the window is
// missing or disabled, or it has no such enabled item.
bool ChooseMenuItem(HWND hwnd, UINT id);

// The title of the open pop-up menu ("&File"), or empty when none is open.
std::string OpenMenuTitle();

// ---- Windows ---------------------------------------------------------------

using headless::TopLevelWindows;

// Clicks the window's close box. False for a missing or disabled window.
bool ClickCloseBox(HWND hwnd);

// Resizes the window so that its client area becomes width x height, as
// dragging its frame would. The window sees it at its next message.
using headless::ResizeClient;

using headless::Image;

// The pixels of the window's client surface, as GDI drew them.
inline Image ClientSurface(HWND hwnd)
{
    return headless::ClientPixels(hwnd);
}

// What the Qt window shows of the client area when it is drawn anew, as
// after being uncovered.
Image ShownClient(HWND hwnd);

// ---- Dialogs ---------------------------------------------------------------

// The innermost modal dialog or message box that is running, or null.
HWND ActiveModalDialog();

struct ControlInfo {
    int id = 0;
    std::string className; // "Button" or "Static"
    std::string text;
    DWORD style = 0;
    RECT rect {};          // where Qt shows it, in the dialog's client pixels
    bool visible = false;
    bool enabled = false;
    bool focused = false;  // the dialog's focus control
    bool isDefault = false;
    int imageWidth = 0;    // an icon static's picture
    int imageHeight = 0;
};

std::vector<ControlInfo> DialogControls(HWND dialog);

// The size Qt gives the dialog's client area, in pixels.
SIZE DialogClientSize(HWND dialog);

// Clicks the push button `id`. False when it is missing or disabled.
bool ClickDialogButton(HWND dialog, int id);

// ---- Running a program -----------------------------------------------------

using WinMainFunction = int(WINAPI*)(HINSTANCE, HINSTANCE, LPSTR, int);

// A step runs when the program's message loop (or a modal loop inside it)
// has nothing to do. It returns true when it is done, false to be asked
// again at the next idle moment. Steps act by posting and by the input
// functions above; they must not pump messages themselves.
using Step = std::function<bool()>;

Step Do(std::function<void()> action);
Step WaitUntil(std::function<bool()> condition);

struct RunResult {
    int exitCode = 0;
    bool finished = false; // every step ran and WinMain returned by itself
    std::size_t stepsDone = 0;
};

// Runs `winMain` as main() does (the module's instance handle, no previous
// instance, an empty command line, SW_SHOWDEFAULT), with the steps between
// its messages. If the steps run out, or `maxIdle` idle moments pass, while
// the program still runs, its windows are destroyed so that it ends, and the
// run does not count as finished.
RunResult RunWinMain(WinMainFunction winMain, std::vector<Step> steps, int maxIdle = 200000);

// ---- Between tests ---------------------------------------------------------

// Destroys every window (their procedures see WM_DESTROY), kills all timers,
// empties the queue, forgets the program's window classes, releases all
// keys and removes the idle hook. The clock keeps its mode.
void ResetUser();

}
