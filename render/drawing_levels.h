// The map and the two hemisphere views drawn with the kernels of one
// instruction-set level, which must be one the processor runs. DrawMap,
// DrawLowerHemisphere and DrawUpperHemisphere draw at the widest level the
// processor runs; these let the tests and benchmarks reach every level on
// one machine. Every level gives the same pixels.
#pragma once

#include "simd/kernel_level.h"

#include <windows.h>

void DrawMapAt(KernelLevel level, HDC hdc, int left, int top, int right, int bottom);
void DrawLowerHemisphereAt(KernelLevel level, HDC hdc, int left, int top, int right, int bottom);
void DrawUpperHemisphereAt(KernelLevel level, HDC hdc, int left, int top, int right, int bottom);
