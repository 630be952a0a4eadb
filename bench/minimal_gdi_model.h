// The least any GDI with checked handles can do for a map cell, as a yardstick
// for ours: only what the create/select/fill/deselect/delete sequence needs,
// every call inline, nothing else. Brushes live in slots reused through a free
// list, with a generation per slot so that a stale handle fails; the DC counts
// the selections of what it holds, so that deleting a selected object can be
// deferred; the null pen is a stock object; the fill is the same loop as the
// bare baseline's. No kinds other than brush and pen, no clipping beyond the
// surface, no fault injection, no growth of the tables.
#pragma once

#include <algorithm>
#include <cstdint>
#include <vector>

namespace minimal_gdi {

using Handle = std::uint64_t;

struct Object {
    Handle handle = 0; // 0 while free
    std::uint32_t generation = 0;
    std::uint32_t nextFree = 0;
    std::uint32_t selectCount = 0;
    std::uint32_t color = 0;
    bool stock = false;
    bool deletePending = false;
};

class Model {
public:
    static constexpr Handle BrushKind = Handle { 1 } << 24;
    static constexpr Handle PenKind = Handle { 2 } << 24;

    Model(std::uint32_t* pixels, int width, int height)
        : m_objects(1 << 16)
        , m_pixels(pixels)
        , m_width(width)
        , m_height(height)
    {
        // Slot 0: the white stock brush the DC starts with; slot 1: the
        // null pen; slot 2: the black pen the DC starts with.
        for (std::uint32_t slot = 0; slot < 3; ++slot) {
            m_objects[slot].handle = (slot == 0 ? BrushKind : PenKind) | slot;
            m_objects[slot].stock = true;
        }
        m_objects[0].color = 0xFFFFFF;
        m_objects[0].selectCount = 1;
        m_objects[2].selectCount = 1;
        for (std::uint32_t slot = 3; slot + 1 < m_objects.size(); ++slot)
            m_objects[slot].nextFree = slot + 1;
        m_firstFree = 3;
        m_brush = 0;
        m_pen = 2;
    }

    Handle NullPen() const { return m_objects[1].handle; }

    Handle CreateSolidBrush(std::uint32_t color)
    {
        std::uint32_t const slot = m_firstFree;
        Object& object = m_objects[slot];
        m_firstFree = object.nextFree;
        object.handle = BrushKind | (Handle { object.generation } << 28) | slot;
        object.color = color;
        object.selectCount = 0;
        object.deletePending = false;
        return object.handle;
    }

    Handle SelectObject(Handle handle)
    {
        Object* object = Find(handle);
        if (!object)
            return 0;
        std::uint32_t& selected = (handle & PenKind) ? m_pen : m_brush;
        Object& previous = m_objects[selected];
        ++object->selectCount;
        selected = static_cast<std::uint32_t>(handle & 0xFFFFFF);
        if (--previous.selectCount == 0 && previous.deletePending)
            Destroy(previous);
        return previous.handle;
    }

    bool DeleteObject(Handle handle)
    {
        Object* object = Find(handle);
        if (!object)
            return false;
        if (object->stock)
            return true;
        if (object->selectCount > 0)
            object->deletePending = true;
        else
            Destroy(*object);
        return true;
    }

    // A rectangle in the selected brush's colour, when no pen outlines it.
    void FillRectangle(int left, int top, int right, int bottom)
    {
        if (m_pen != 1)
            return;
        std::uint32_t const pixel = m_objects[m_brush].color;
        int const x0 = std::clamp(left, 0, m_width), x1 = std::clamp(right, 0, m_width);
        int const y0 = std::clamp(top, 0, m_height), y1 = std::clamp(bottom, 0, m_height);
        for (int y = y0; y < y1; ++y)
            std::fill(m_pixels + std::size_t(y) * m_width + x0, m_pixels + std::size_t(y) * m_width + x1, pixel);
    }

private:
    Object* Find(Handle handle)
    {
        std::uint32_t const slot = static_cast<std::uint32_t>(handle & 0xFFFFFF);
        if (slot >= m_objects.size() || handle == 0 || m_objects[slot].handle != handle)
            return nullptr;
        return &m_objects[slot];
    }

    void Destroy(Object& object)
    {
        auto const slot = static_cast<std::uint32_t>(&object - m_objects.data());
        object.handle = 0;
        ++object.generation;
        object.nextFree = m_firstFree;
        m_firstFree = slot;
    }

    std::vector<Object> m_objects;
    std::uint32_t m_firstFree = 0;
    std::uint32_t m_brush = 0;
    std::uint32_t m_pen = 0;
    std::uint32_t* m_pixels;
    int m_width;
    int m_height;
};

} // namespace minimal_gdi
