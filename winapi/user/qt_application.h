// The Qt application under USER: created by main() before WinMain runs, or
// on first use (tests, the grower).
#pragma once

#include <QApplication>

#include <optional>

namespace winapi::user {

// Whether Qt has a platform to open windows on: a display to connect to
// (DISPLAY or WAYLAND_DISPLAY set), or a platform chosen with
// QT_QPA_PLATFORM (offscreen, as the tests choose, where windows show
// nowhere). Without one, Qt cannot start.
bool HasPlatformForWindows();

// Starts Qt for a program, on a platform HasPlatformForWindows() finds. The
// headless display of GDI takes the primary screen's size and follows its
// changes.
void StartApplication(int& argc, char** argv);

// The application, started with a program name and no arguments if nothing
// started it yet. Leaves GDI's display size alone.
QApplication& EnsureApplication();

bool ApplicationExists();

// Delivers what Qt has waiting (input, window system events, paint events
// of our widgets) without blocking.
void ProcessQtEvents();

// Blocks until Qt has an event, or until `timeoutMs` has passed.
void WaitForQtEvents(std::optional<int> timeoutMs);

// Ends Qt at the end of main(): the application must not outlive main.
void FinishApplication();

}
