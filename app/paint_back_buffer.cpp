#include "app/paint_back_buffer.h"

#include "render/screen_bitmap.h"

#ifdef _WIN32

namespace {

HDC g_backDC = nullptr;
HBITMAP g_backBitmap = nullptr;
HGDIOBJ g_initialBitmap = nullptr;
int g_backWidth = 0;
int g_backHeight = 0;

// Makes the buffer the client's size; false, with no buffer, on failure.
// Not a MemoryCanvas: one DC stays for the program's life and only its
// bitmap is replaced when the client area changes size.
bool FitBackBuffer(HDC paintDC, int width, int height)
{
    if (g_backBitmap && width == g_backWidth && height == g_backHeight)
        return true;
    if (!g_backDC) {
        g_backDC = CreateCompatibleDC(paintDC);
        if (!g_backDC)
            return false;
        g_initialBitmap = GetCurrentObject(g_backDC, OBJ_BITMAP);
    }
    if (g_backBitmap) {
        SelectObject(g_backDC, g_initialBitmap);
        DeleteObject(g_backBitmap);
        g_backBitmap = nullptr;
    }
    g_backBitmap = CreateScreenBitmap(paintDC, width, height);
    if (!g_backBitmap)
        return false;
    SelectObject(g_backDC, g_backBitmap);
    g_backWidth = width;
    g_backHeight = height;
    return true;
}

}

HDC BeginBackBufferPaint(HDC paintDC, RECT const& client, RECT const& update)
{
    int const width = client.right - client.left;
    int const height = client.bottom - client.top;
    if (width <= 0 || height <= 0 || !FitBackBuffer(paintDC, width, height))
        return paintDC;
    BitBlt(g_backDC, update.left, update.top, update.right - update.left, update.bottom - update.top, paintDC,
        update.left, update.top, SRCCOPY);
    return g_backDC;
}

void EndBackBufferPaint(HDC paintDC, HDC drawDC, RECT const& update)
{
    if (drawDC == paintDC)
        return;
    BitBlt(paintDC, update.left, update.top, update.right - update.left, update.bottom - update.top, drawDC,
        update.left, update.top, SRCCOPY);
}

#else

HDC BeginBackBufferPaint(HDC paintDC, RECT const&, RECT const&)
{
    return paintDC;
}

void EndBackBufferPaint(HDC, HDC, RECT const&)
{
}

#endif
