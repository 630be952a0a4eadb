#pragma once

// Sine and cosine that give the same bits on every platform. The C
// libraries differ in the last bit, and some (MinGW's, which uses the x87
// instructions) by many more near multiples of pi/2, and the grid is built
// from these values. Both are computed in double-double arithmetic (about
// 100 bits) from an argument reduced against a 160-bit pi/2 and then
// rounded once, so they are correctly rounded except where the exact value
// lies within about 2^-100 of a rounding boundary: none of the angles the
// grids use. Meant for |x| below 2^20; NaN for infinities and NaN.
double PortableSin(double x);
double PortableCos(double x);
