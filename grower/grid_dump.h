#pragma once

#include "globe/globe_point.h"

#include <cstddef>
#include <cstdio>

// Writes the points as little-endian IEEE float32 triples x, y, z.
bool WriteGridDump(std::FILE* stream, GlobePoint const* points, std::size_t count);
