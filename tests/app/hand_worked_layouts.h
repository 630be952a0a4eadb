#pragma once

// The paint layouts of the client sizes the program's tests meet, worked
// out by hand: the drawing area is inset 25 at the top and 5 at the other
// sides, and the halves of its width and height are truncated toward zero.

#include "tests/app/app_harness.h"

#include <gtest/gtest.h>

#include <string>

namespace app_test {

struct HandWorkedLayout {
    int width;
    int height;
    Layout layout;
};

inline constexpr HandWorkedLayout HAND_WORKED_LAYOUTS[] = {
    // The default window on the 800 x 600 display of the tests: three
    // quarters of it, 600 x 450, less the menu bar's 19. Right - left =
    // 590 and bottom - top = 401: the halves are 295 and 200.
    { 600, 431, { 5, 25, 595, 426, 300, 225 } },
    // 41 wider: right - left = 631, half 315.
    { 641, 431, { 5, 25, 636, 426, 320, 225 } },
    // 37 higher: bottom - top = 438, half 219.
    { 600, 468, { 5, 25, 595, 463, 300, 244 } },
    { 300, 200, { 5, 25, 295, 195, 150, 110 } },
};

// The layout worked out for a client area of this size; a failure when
// there is none, which names the size to work out.
inline Layout LayoutFor(int width, int height)
{
    for (auto const& known : HAND_WORKED_LAYOUTS) {
        if (known.width == width && known.height == height)
            return known.layout;
    }
    ADD_FAILURE() << "no hand-worked layout for a client area of " << width << " x " << height;
    return {};
}

}
