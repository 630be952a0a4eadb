#pragma once

#include <cstdint>

// The system tick count: milliseconds, wrapping at 2^32. The model's seeds
// come from it; safe to call during static initialisation.
std::uint32_t ReadTickCount();
