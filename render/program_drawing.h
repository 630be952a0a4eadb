// The program's drawings, DrawMap, RenderMapBuffer's drawing,
// DrawLowerHemisphere and DrawUpperHemisphere and their forms at a named
// level (render/drawing_levels.h), draw g_globe through contexts kept for
// the process, one per kernel level, so that the map and the views of one
// state of the globe share its colours.
#pragma once

// Drops the colours those contexts keep, so that the next drawing meets
// g_globe afresh, as after a Dissect.
void ForgetPointCaches();
