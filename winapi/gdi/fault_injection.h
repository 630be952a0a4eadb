// Test hook: makes the next GDI creations of one kind fail as if GDI were out
// of resources, so callers' recovery paths can be tested. Compiled into every
// build; when nothing is armed a creation costs one comparison more.
#pragma once

namespace winapi::testing {

enum class GdiCreation {
    CompatibleDC,     // CreateCompatibleDC
    CompatibleBitmap, // CreateCompatibleBitmap (also for a zero size)
    Bitmap,           // CreateBitmap
    SolidBrush,       // CreateSolidBrush
    Pen,              // CreatePen
};

// The next `count` calls of that kind return NULL (count <= 0 disarms it).
void FailNextCreations(GdiCreation creation, int count);

// Disarms every kind.
void ClearCreationFailures();

} // namespace winapi::testing
