// Whether the drawing may use its AVX-512 forms where the processor has
// them. Every form gives the same pixels; switching the widest off lets the
// tests and benchmarks compare them on one machine.
#pragma once

// True when the processor has AVX-512F and the wide forms are allowed.
bool UseAvx512Kernels();

// Allows (the default) or forbids the AVX-512 forms.
void AllowAvx512Kernels(bool allowed);
