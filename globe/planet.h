#pragma once

#include "globe/globe.h"

// The program's one planet. Created at start-up and kept to the end of the
// process; the renderers read it, only Dissect changes it. Null until
// created, and stays null if the allocation fails.
extern Globe* g_globe;
