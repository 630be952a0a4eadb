#pragma once

// Windows tells a process that uses user32 (the grower draws through GDI)
// of a logoff or a shutdown not through its console's control handler but
// by sending WM_QUERYENDSESSION and WM_ENDSESSION to its top-level windows;
// a process without one is simply ended. This opens a hidden top-level
// window, on a thread of its own with its own message loop, that calls
// `onSessionEnd` (which must end the process) when the session ends. Best
// effort: false when the thread or the window cannot be made.
bool WatchForSessionEnd(void (*onSessionEnd)());

// The hidden window's class name, for finding the window.
inline constexpr wchar_t SESSION_END_WINDOW_CLASS[] = L"MorvaGrowerSessionEnd";
