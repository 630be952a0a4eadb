// Running a program's windows without a display: for code that drives a
// window procedure itself to get the pictures it paints (the grower's window
// view, the benchmarks). No window ever shows, whatever display the
// environment names, and no timer ever fires.
//
//     winapi::headless::Start(1920, 1080);
//     ... register the class, create and show the window ...
//     winapi::headless::ResizeClient(hwnd, 640, 480);
//     winapi::headless::DispatchPending();
//     winapi::headless::Image const picture = winapi::headless::ClientPixels(hwnd);
//     winapi::headless::CloseWindows();
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <vector>

namespace winapi::headless {

// Starts USER on Qt's offscreen platform, with a clock that stands still
// (time moves only when someone moves it, so no timer ever comes due) and a
// display of displayWidth x displayHeight for GDI: the screen size that
// GetDeviceCaps and bitmaps compatible with the screen see. Call it before
// creating windows; when Qt is already running, it keeps its platform.
void Start(int displayWidth, int displayHeight);

// The instance handle of the program's module, as WinMain gets it: the
// handle under which its resources are found.
HINSTANCE ProgramInstance();

// The top-level windows, in the order they were created.
std::vector<HWND> TopLevelWindows();

// Resizes the window so that its client area becomes width x height (within
// the largest client area), as dragging its frame would. The window sees it
// at its next message. False for a window without a client area of its own.
bool ResizeClient(HWND hwnd, int width, int height);

// Takes and dispatches (TranslateMessage, DispatchMessageA) every message
// available now: posted, input, WM_PAINT and due timers, until there is none
// or `maxMessages` were dispatched. A WM_QUIT stays queued for the caller.
// Returns how many were dispatched.
int DispatchPending(int maxMessages = 100000);

struct Image {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels; // 0x00RRGGBB, row by row from the top

    std::uint32_t At(int x, int y) const
    {
        return pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) + static_cast<std::size_t>(x)];
    }
};

// The pixels of the window's client area, as GDI drew them. Empty for a
// missing window or one without a client area of its own.
Image ClientPixels(HWND hwnd);

// Closes every window, without messages, and forgets the timers and queued
// messages. Qt stays until the process ends: its teardown is not safe once
// memory has run out.
void CloseWindows();

}
