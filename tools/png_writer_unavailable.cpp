// Used where the build found no PNG library: every write fails with a reason.
#include "tools/png_writer.h"

std::string WritePngRgb(std::FILE*, std::uint32_t, std::uint32_t, PngRowSource const&)
{
    return "this build has no PNG support";
}

bool CanWritePng()
{
    return false;
}
