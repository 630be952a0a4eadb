#pragma once

#include <cstdint>

// The system tick count: milliseconds, wrapping at 2^32. Provided by the
// platform layer; safe to call during static initialisation.
std::uint32_t ReadTickCount();
