// Where our USER subset is not built (the Windows build), the grower cannot
// paint the window headless.
#include "grower/window_view.h"

std::string PaintWindowView(Globe const&, int, int, int, int, int, WindowPicture&)
{
    return "this build cannot paint the window (only the Linux build can)";
}

bool WindowViewAvailable()
{
    return false;
}
