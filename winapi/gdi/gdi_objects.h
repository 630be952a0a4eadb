// The GDI objects behind the handles, and the one table that holds them.
#pragma once

#include "handle_pool.h"
#include "surface.h"

#include <win32/gdi.h>

#include <cstdint>
#include <memory>
#include <new>

namespace winapi::gdi {

// What every object that can be selected into a DC keeps: GDI defers the
// deletion of a selected object until the last DC lets go of it.
struct SelectableState {
    std::uint32_t selectCount = 0;
    bool deletePending = false;
    bool stock = false;
};

struct Brush {
    SelectableState state;
    UINT style = BS_SOLID; // BS_SOLID or BS_NULL
    COLORREF color = 0;
};

struct Pen {
    SelectableState state;
    int style = PS_SOLID; // PS_SOLID, PS_NULL, ... (the style bits only)
    int width = 0;
    COLORREF color = 0;
};

struct Font {
    SelectableState state;
    int stockIndex = SYSTEM_FONT;
};

struct Bitmap {
    SelectableState state;
    std::unique_ptr<Surface> surface;
};

enum class DCType : std::uint8_t {
    Memory,  // CreateCompatibleDC; draws on its selected bitmap
    Display, // GetDC(NULL); draws on the headless display
    Surface, // CreateSurfaceDC; draws on a window's surface
};

struct DeviceContext {
    DCType type = DCType::Memory;
    Surface* surface = nullptr;

    // The selected objects, by handle and by address (a selected object
    // cannot go away, and pool slots never move).
    HBITMAP bitmap = nullptr; // memory DCs only
    HBRUSH brush = nullptr;
    HPEN pen = nullptr;
    HFONT font = nullptr;
    Bitmap* bitmapObject = nullptr;
    Brush* brushObject = nullptr;
    Pen* penObject = nullptr;
    Font* fontObject = nullptr;

    // Copies of the selected brush and pen (objects never change, and a
    // selected object lives at least as long as the selection).
    UINT brushStyle = BS_SOLID;
    COLORREF brushColor = RGB(255, 255, 255);
    int penStyle = PS_SOLID;
    int penWidth = 0;
    COLORREF penColor = 0;

    COLORREF textColor = 0;
    COLORREF backgroundColor = RGB(255, 255, 255);
    int backgroundMode = OPAQUE;
    int polyFillMode = ALTERNATE;
    int stretchMode = BLACKONWHITE;
};

class ObjectTable {
public:
    HandlePool<Brush, ObjectKind::Brush> brushes;
    HandlePool<Pen, ObjectKind::Pen> pens;
    HandlePool<Font, ObjectKind::Font> fonts;
    HandlePool<Bitmap, ObjectKind::Bitmap> bitmaps;
    HandlePool<DeviceContext, ObjectKind::DeviceContext> dcs;

    // GetStockObject's objects (NULL where GDI has no such object here), and
    // the 1x1 monochrome bitmap every memory DC starts with.
    HGDIOBJ stockObjects[DC_PEN + 1] {};
    HBITMAP defaultBitmap = nullptr;

    // The number of live objects that are not stock objects.
    std::uint32_t stockCount = 0;
    std::uint32_t LiveObjectCount() const
    {
        return brushes.LiveCount() + pens.LiveCount() + fonts.LiveCount() + bitmaps.LiveCount()
            + dcs.LiveCount() - stockCount;
    }
};

// The process's object table, made with the stock objects on first use and
// never destroyed (DCs may be released during static destruction). It sits in
// static storage, at an address known when linking.
alignas(ObjectTable) extern unsigned char g_objectStorage[sizeof(ObjectTable)];
extern bool g_objectsMade;
ObjectTable& CreateObjects();

inline ObjectTable& Objects()
{
    if (!g_objectsMade) [[unlikely]]
        return CreateObjects();
    return *std::launder(reinterpret_cast<ObjectTable*>(g_objectStorage));
}

inline DeviceContext* FindDC(HDC hdc) { return Objects().dcs.Find(hdc); }

// The table, or null (with the failure counted) when there is no memory to
// make it: for the calls that come first in a program.
ObjectTable* ObjectsOrNull();

// FindDC for the calls that may come first: a DC that cannot exist is not
// found.
inline DeviceContext* FindDCOrNull(HDC hdc)
{
    ObjectTable* table = ObjectsOrNull();
    return table ? table->dcs.Find(hdc) : nullptr;
}

// Marks an object as selected once more.
template<typename Object>
void RetainSelected(Object& object)
{
    ++object.state.selectCount;
}

// Undoes RetainSelected, and deletes the object if its deletion was waiting
// for the last DC to let go of it.
template<typename Pool>
[[gnu::noinline]] void DestroyAfterRelease(Pool& pool, HGDIOBJ handle)
{
    pool.Destroy(handle);
}

template<typename Pool, typename Object>
void ReleaseSelected(Pool& pool, Object* object, HGDIOBJ handle)
{
    if (!object || object->state.selectCount == 0)
        return;
    if (--object->state.selectCount == 0 && object->state.deletePending) [[unlikely]]
        DestroyAfterRelease(pool, handle);
}

// Makes `incoming` the DC's object in (`slot`, `slotObject`) and returns the
// handle of the object it replaces.
template<typename Pool, typename Object, typename Handle>
HGDIOBJ SwapSelected(Pool& pool, Handle& slot, Object*& slotObject, Object& incoming, HGDIOBJ incomingHandle)
{
    HGDIOBJ const previous = slot;
    Object* const previousObject = slotObject;
    RetainSelected(incoming);
    slot = static_cast<Handle>(incomingHandle);
    slotObject = &incoming;
    ReleaseSelected(pool, previousObject, previous);
    return previous;
}

// Puts back everything selected into a DC and destroys it.
void DestroyDC(HDC hdc);

// A DC in its initial state, with the default objects selected.
HDC CreateDC(DCType type, Surface* surface);

} // namespace winapi::gdi
