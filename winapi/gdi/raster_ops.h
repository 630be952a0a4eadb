// Binary raster operations (R2_*) on pixels, and how ternary ROP codes map
// to them when only source or only pattern takes part.
#pragma once

#include <windows.h>

#include <cstdint>

namespace winapi::gdi {

constexpr std::uint32_t PixelMask = 0x00FFFFFF;

enum class Rop2 : std::uint8_t {
    Black = 1,
    NotMergePen,
    MaskNotPen,
    NotCopyPen,
    MaskPenNot,
    Not,
    XorPen,
    NotMaskPen,
    MaskPen,
    NotXorPen,
    Nop,
    MergeNotPen,
    CopyPen,
    MergePenNot,
    MergePen,
    White,
};

// `pen` is the source or pattern pixel, `destination` the pixel beneath.
constexpr std::uint32_t ApplyRop2(Rop2 rop, std::uint32_t pen, std::uint32_t destination)
{
    std::uint32_t result = 0;
    switch (rop) {
    case Rop2::Black: result = 0; break;
    case Rop2::NotMergePen: result = ~(destination | pen); break;
    case Rop2::MaskNotPen: result = destination & ~pen; break;
    case Rop2::NotCopyPen: result = ~pen; break;
    case Rop2::MaskPenNot: result = pen & ~destination; break;
    case Rop2::Not: result = ~destination; break;
    case Rop2::XorPen: result = destination ^ pen; break;
    case Rop2::NotMaskPen: result = ~(destination & pen); break;
    case Rop2::MaskPen: result = destination & pen; break;
    case Rop2::NotXorPen: result = ~(destination ^ pen); break;
    case Rop2::Nop: result = destination; break;
    case Rop2::MergeNotPen: result = destination | ~pen; break;
    case Rop2::CopyPen: result = pen; break;
    case Rop2::MergePenNot: result = pen | ~destination; break;
    case Rop2::MergePen: result = destination | pen; break;
    case Rop2::White: result = ~std::uint32_t { 0 }; break;
    }
    return result & PixelMask;
}

// Whether a ternary raster operation reads the source / the pattern.
constexpr bool RopUsesSource(DWORD rop) { return ((rop >> 2) & 0x330000) != (rop & 0x330000); }
constexpr bool RopUsesPattern(DWORD rop) { return ((rop >> 4) & 0x0f0000) != (rop & 0x0f0000); }

// The binary operation of a ternary one that involves source and
// destination only (SRCCOPY, SRCPAINT, SRCAND, SRCINVERT, ...).
constexpr Rop2 SourceRop2(DWORD rop) { return static_cast<Rop2>(((rop >> 16) & 0xf) + 1); }

// The binary operation of a ternary one that involves pattern and
// destination only (PATCOPY, PATINVERT, DSTINVERT, BLACKNESS, WHITENESS, ...).
constexpr Rop2 PatternRop2(DWORD rop) { return static_cast<Rop2>((((rop >> 18) & 0x0c) | ((rop >> 16) & 0x03)) + 1); }

} // namespace winapi::gdi
