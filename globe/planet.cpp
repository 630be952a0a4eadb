#include "globe/planet.h"

Globe* g_globe = nullptr;
