#include "winapi/user/window.h"

#include <algorithm>

namespace winapi::user {

namespace {

// A handle is the slot index plus one in the low 16 bits and the slot's
// generation above them, so a handle of a destroyed window never finds the
// window that reuses its slot.
HWND MakeHandle(std::size_t index, std::uint16_t generation)
{
    auto const value = (static_cast<std::uintptr_t>(generation) << 16) | static_cast<std::uintptr_t>(index + 1);
    return reinterpret_cast<HWND>(value);
}

constexpr std::size_t MaxWindows = 0xFFFF;

}

Window* WindowTable::Add(std::unique_ptr<Window> window)
{
    std::size_t index;
    if (!m_freeSlots.empty()) {
        index = m_freeSlots.back();
        m_freeSlots.pop_back();
    } else {
        if (m_slots.size() >= MaxWindows)
            return nullptr;
        index = m_slots.size();
        m_slots.emplace_back();
    }
    auto& slot = m_slots[index];
    slot.generation = static_cast<std::uint16_t>(slot.generation + 1);
    if (slot.generation == 0)
        slot.generation = 1;
    window->handle = MakeHandle(index, slot.generation);
    slot.window = std::move(window);
    m_order.emplace_back(++m_creationCounter, slot.window->handle);
    return slot.window.get();
}

void WindowTable::Remove(HWND handle)
{
    if (!Find(handle))
        return;
    auto const index = (reinterpret_cast<std::uintptr_t>(handle) & 0xFFFF) - 1;
    m_slots[index].window.reset();
    m_freeSlots.push_back(index);
    std::erase_if(m_order, [&](auto const& entry) { return entry.second == handle; });
}

Window* WindowTable::Find(HWND handle) const
{
    auto const value = reinterpret_cast<std::uintptr_t>(handle);
    auto const index = value & 0xFFFF;
    if (index == 0 || index > m_slots.size() || (value >> 32) != 0)
        return nullptr;
    auto const& slot = m_slots[index - 1];
    if (!slot.window || slot.generation != static_cast<std::uint16_t>(value >> 16))
        return nullptr;
    return slot.window.get();
}

std::vector<HWND> WindowTable::Handles() const
{
    std::vector<HWND> handles;
    handles.reserve(m_order.size());
    for (auto const& entry : m_order)
        handles.push_back(entry.second);
    return handles;
}

std::vector<HWND> WindowTable::TopLevelHandles() const
{
    std::vector<HWND> handles;
    for (auto const& entry : m_order) {
        if (!Find(entry.second)->IsChild())
            handles.push_back(entry.second);
    }
    return handles;
}

std::vector<HWND> WindowTable::ChildrenOf(HWND parent) const
{
    std::vector<HWND> handles;
    for (auto const& entry : m_order) {
        auto const* window = Find(entry.second);
        if (window->IsChild() && window->parent == parent)
            handles.push_back(entry.second);
    }
    return handles;
}

std::vector<HWND> WindowTable::OwnedBy(HWND owner) const
{
    std::vector<HWND> handles;
    for (auto const& entry : m_order) {
        auto const* window = Find(entry.second);
        if (!window->IsChild() && window->owner == owner)
            handles.push_back(entry.second);
    }
    return handles;
}

WindowTable& Windows()
{
    static WindowTable table;
    return table;
}

bool IsSameOrDescendant(HWND window, HWND ancestor)
{
    for (int depth = 0; window && depth < 256; ++depth) {
        if (window == ancestor)
            return true;
        auto const* found = FindWindow(window);
        if (!found || !found->IsChild())
            return false;
        window = found->parent;
    }
    return false;
}

HWND TopLevelOf(HWND hwnd)
{
    HWND topLevel = nullptr;
    bool const found = HoldsUpToTopLevel(hwnd, [&](Window const& window) {
        if (!window.IsChild())
            topLevel = window.handle;
        return true;
    });
    return found ? topLevel : nullptr;
}

}

using namespace winapi::user;

BOOL WINAPI IsWindow(HWND hWnd)
{
    return FindWindow(hWnd) ? TRUE : FALSE;
}

HWND WINAPI GetParent(HWND hWnd)
{
    auto const* window = FindWindow(hWnd);
    if (!window)
        return nullptr;
    if (window->IsChild())
        return window->parent;
    return (window->style & WS_POPUP) ? window->owner : nullptr;
}
