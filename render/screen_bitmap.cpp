#include "render/screen_bitmap.h"

HBITMAP CreateScreenBitmap(HDC reference, int width, int height)
{
#ifdef _WIN32
    BITMAPINFO info {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height; // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    return CreateDIBSection(reference, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
#else
    return CreateCompatibleBitmap(reference, width, height);
#endif
}
