#pragma once

#include <cstdint>
#include <string>
#include <vector>

class Globe;

// A picture of the program's main window: its client area, 0x00RRGGBB
// pixels row by row from the top.
struct WindowPicture {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;

    // One row as red, green, blue bytes, width * 3 of them.
    void ReadRow(int row, std::uint8_t* rgb) const;
};

// Paints `globe` as the program's main window shows it after the growth:
// the real window class, window procedure and resources, on a headless
// display of screenWidth x screenHeight. The program is given a planet of
// its own, a copy of `globe`, for as long as the window is open. The client area is made
// width x height and erased and painted (status line with dissectCount, both
// hemisphere views); then the map is rendered into its screen-sized buffer
// and the window repainted as after a timer batch, so the buffer appears
// stretched into the lower half. No window ever shows and no display is
// needed. Returns an empty string, or why there is no picture.
std::string PaintWindowView(Globe const& globe, int width, int height, int screenWidth, int screenHeight,
    int dissectCount, WindowPicture& picture);

// Whether this build can paint the window: only where our USER subset runs
// it headless (the Linux build).
bool WindowViewAvailable();
