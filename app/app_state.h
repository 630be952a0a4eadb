#pragma once

#include "globe/planet.h"

#include <windows.h>

// The application's state: process-wide, zero at start, set up by WinMain
// and changed by the main window procedure. g_globe lives with the model
// (globe/planet.h).

inline constexpr int WINDOW_TEXT_LENGTH = 100;

extern char g_windowTitle[WINDOW_TEXT_LENGTH];
extern char g_windowClassName[WINDOW_TEXT_LENGTH];
extern HINSTANCE g_hInstance;

// Dissection passes applied so far, shown in the status line.
extern int g_dissectCount;
// Timer batches run only while the count does not exceed this.
extern int g_dissectLimit;

// Run a batch on each timer message; re-render the map after each batch;
// paint the map alone over the whole drawing area.
extern bool g_autoDissect;
extern bool g_autoDraw;
extern bool g_onlyMap;
