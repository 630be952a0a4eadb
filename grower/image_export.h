#pragma once

#include "globe/globe.h"
#include "grower/grower_options.h"

#include <windows.h>

#include <string>

// Draws `view` of `globe` over the rectangle (0, 0, width, height) of a
// surface that starts black:
// - map: DrawMap over the whole surface, which is what RenderMapBuffer draws
//   into its buffer on a display of width x height;
// - lower, upper: the hemisphere view over the whole surface.
void DrawImageView(ImageView view, Globe const& globe, HDC hdc, int width, int height);
