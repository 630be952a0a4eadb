#pragma once

// The numbers of the program's growth and its status line, for the program,
// the grower and the benchmarks alike.

// The timer that drives the growth, and its period.
inline constexpr unsigned DISSECT_TIMER = 1;
inline constexpr unsigned DISSECT_PERIOD_MS = 10;

// Dissection passes a timer batch applies.
inline constexpr int DISSECT_BATCH = 50;

// Batches run only while the passes applied so far do not exceed this.
inline constexpr int DISSECT_LIMIT = 3000;

// The status line: the grid's side twice, then the passes applied so far.
inline constexpr char STATUS_FORMAT[] = "Globe is %dx%d points, %d dissects";
