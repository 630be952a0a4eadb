// Bitmaps and the blits between DCs.
#include "fault_points.h"
#include "gdi_objects.h"
#include "out_of_memory.h"
#include "raster_ops.h"
#include "stretch_blit.h"

#include <cstdint>
#include <cstring>
#include <new>

using namespace winapi::gdi;
using winapi::Surface;
using winapi::testing::GdiCreation;

namespace {

// Widths and heights beyond this make CreateBitmap fail, as in GDI.
constexpr int MaxBitmapExtent = 0x7ffffff;

void LoadMonochromeBits(Surface& surface, void const* bits)
{
    // Rows of 1-bit pixels, most significant bit first, padded to 16 bits.
    auto const* bytes = static_cast<std::uint8_t const*>(bits);
    std::int64_t const stride = ((std::int64_t { surface.Width() } + 15) >> 4) * 2;
    for (int y = 0; y < surface.Height(); ++y) {
        std::uint32_t* row = surface.Row(y);
        for (int x = 0; x < surface.Width(); ++x) {
            bool const set = bytes[y * stride + x / 8] & (0x80 >> (x % 8));
            row[x] = set ? 0xFFFFFF : 0x000000;
        }
    }
}

void LoadColorBits(Surface& surface, void const* bits)
{
    // Rows of little-endian 0xXXRRGGBB pixels; the top byte is not kept.
    auto const* bytes = static_cast<std::uint8_t const*>(bits);
    std::int64_t const count = std::int64_t { surface.Width() } * surface.Height();
    std::uint32_t* pixels = surface.Pixels();
    for (std::int64_t i = 0; i < count; ++i) {
        std::uint8_t const* pixel = bytes + i * 4;
        pixels[i] = pixel[0] | (std::uint32_t { pixel[1] } << 8) | (std::uint32_t { pixel[2] } << 16);
    }
}

HBITMAP MakeBitmap(int width, int height, Surface::Format format, void const* bits)
{
    if (width > MaxBitmapExtent || height > MaxBitmapExtent || width < -MaxBitmapExtent || height < -MaxBitmapExtent)
        return nullptr;
    if (width == 0 || height == 0) {
        ObjectTable* table = ObjectsOrNull();
        return table ? table->defaultBitmap : nullptr;
    }
    auto surface = std::unique_ptr<Surface>(new (std::nothrow) Surface(format));
    if (!surface || !surface->Resize(width < 0 ? -width : width, height < 0 ? -height : height)) {
        NoteOutOfMemory();
        return nullptr;
    }
    if (bits) {
        if (format == Surface::Format::Monochrome)
            LoadMonochromeBits(*surface, bits);
        else
            LoadColorBits(*surface, bits);
    }
    ObjectTable* table = ObjectsOrNull();
    if (!table)
        return nullptr;
    try {
        auto created = table->bitmaps.Create();
        if (!created.object)
            return nullptr;
        created.object->surface = std::move(surface);
        return HandleFromBits<HBITMAP>(created.handle);
    } catch (std::bad_alloc const&) {
        NoteOutOfMemory();
        return nullptr;
    }
}

} // namespace

HBITMAP WINAPI CreateBitmap(int nWidth, int nHeight, UINT nPlanes, UINT nBitCount, const void* lpBits)
{
    if (CreationShouldFail(GdiCreation::Bitmap))
        return nullptr;
    if (nWidth == 0 || nHeight == 0) {
        ObjectTable* table = ObjectsOrNull();
        return table ? table->defaultBitmap : nullptr;
    }
    // Monochrome and 32-bit colour are the formats this subset stores.
    if (nPlanes != 1 || (nBitCount != 1 && nBitCount != 32))
        return nullptr;
    return MakeBitmap(nWidth, nHeight, nBitCount == 1 ? Surface::Format::Monochrome : Surface::Format::Rgb32, lpBits);
}

HBITMAP WINAPI CreateCompatibleBitmap(HDC hdc, int cx, int cy)
{
    if (CreationShouldFail(GdiCreation::CompatibleBitmap))
        return nullptr;
    DeviceContext const* dc = FindDCOrNull(hdc);
    if (cx == 0 || cy == 0)
        return dc ? Objects().defaultBitmap : nullptr;
    if (!dc)
        return nullptr;
    // A memory DC makes bitmaps like the one selected into it; every other
    // DC makes colour bitmaps of the display's format.
    Surface::Format const format = dc->type == DCType::Memory ? dc->surface->GetFormat() : Surface::Format::Rgb32;
    return MakeBitmap(cx, cy, format, nullptr);
}

BOOL WINAPI StretchBlt(HDC hdcDest, int xDest, int yDest, int wDest, int hDest, HDC hdcSrc, int xSrc, int ySrc,
    int wSrc, int hSrc, DWORD rop)
{
    if (!RopUsesSource(rop))
        return PatBlt(hdcDest, xDest, yDest, wDest, hDest, rop);
    // Operations that mix source and pattern are not part of this subset.
    if (RopUsesPattern(rop))
        return FALSE;
    DeviceContext const* destination = FindDC(hdcDest);
    DeviceContext const* source = FindDC(hdcSrc);
    if (!destination || !source)
        return FALSE;
    PixelConversion const conversion = ConversionBetween(*source->surface, source->backgroundColor,
        *destination->surface, destination->textColor, destination->backgroundColor);
    try {
        return StretchSurface(*destination->surface, { xDest, yDest, wDest, hDest }, *source->surface,
            { xSrc, ySrc, wSrc, hSrc }, destination->stretchMode, conversion, SourceRop2(rop));
    } catch (std::bad_alloc const&) {
        NoteOutOfMemory();
        return FALSE;
    }
}

BOOL WINAPI BitBlt(HDC hdc, int x, int y, int cx, int cy, HDC hdcSrc, int x1, int y1, DWORD rop)
{
    return StretchBlt(hdc, x, y, cx, cy, hdcSrc, x1, y1, cx, cy, rop);
}
