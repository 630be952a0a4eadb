#pragma once

// The grower's exit statuses. A signal ends it with the signal's own status
// (128 + the signal's number in a shell).
inline constexpr int EXIT_BAD_INPUT = 2;      // the command line, or an output that cannot be one
inline constexpr int EXIT_SYSTEM_REFUSED = 3; // permission, read-only, disk full, I/O error
inline constexpr int EXIT_NO_MEMORY = 4;      // memory ran out; nothing was written
inline constexpr int EXIT_INTERNAL_ERROR = 5; // an unexpected failure; nothing was written

// On Windows, the ends a console brings about other than Ctrl+C and
// Ctrl+Break, with the statuses of their counterparts elsewhere: a closed
// console window as a hang-up (128 + SIGHUP), the session's end as a
// termination (128 + SIGTERM).
inline constexpr int EXIT_CONSOLE_CLOSED = 129;
inline constexpr int EXIT_SESSION_ENDING = 143;

// The status for a file operation that failed with `error` (an errno value):
// the system refusing (no permission, no space, no memory) or a name that
// cannot be written at all (bad input).
int StatusForErrno(int error);
