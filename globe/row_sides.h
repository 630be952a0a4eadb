// Which sides of the plane z = 0 the points of a grid row reach, as bits of
// one byte a row.
#pragma once

#include <cstdint>

inline constexpr std::uint8_t ROW_REACHES_BELOW = 1; // some point has z < 0
inline constexpr std::uint8_t ROW_REACHES_ABOVE = 2; // some point has z > 0
