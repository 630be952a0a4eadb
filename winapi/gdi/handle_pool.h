// Handles to GDI objects: a pool per kind of object, with slots reused through
// a free list and a generation count per slot, so that a stale handle (one
// whose object was deleted, even if its slot now holds another object) is
// recognised in O(1) without searching.
//
// A handle is a pointer-sized value laid out as
//   bits  0..23  slot index in the pool of its kind
//   bits 24..27  kind (never 0 and never 15, so NULL and -1 are never valid)
//   bits 28..63  generation of the slot when the object was made
// Slots live in fixed-size chunks that never move, so a pointer to an object
// stays valid until that object is destroyed.
#pragma once

#include "out_of_memory.h"

#include <array>
#include <cstdint>
#include <memory>
#include <new>

namespace winapi::gdi {

static_assert(sizeof(void*) == 8, "GDI handles need 64-bit pointers");

enum class ObjectKind : std::uint8_t {
    Brush = 1,
    Pen = 2,
    Bitmap = 3,
    DeviceContext = 4,
    Font = 5,
};

namespace handle_layout {
constexpr int IndexBits = 24;
constexpr int KindBits = 4;
constexpr int GenerationShift = IndexBits + KindBits;
constexpr std::uint64_t IndexMask = (std::uint64_t { 1 } << IndexBits) - 1;
constexpr std::uint64_t KindMask = (std::uint64_t { 1 } << KindBits) - 1;
constexpr std::uint64_t GenerationMask = (std::uint64_t { 1 } << (64 - GenerationShift)) - 1;
}

constexpr std::uint64_t EncodeHandle(ObjectKind kind, std::uint32_t index, std::uint64_t generation)
{
    using namespace handle_layout;
    return (std::uint64_t { index } & IndexMask)
        | (std::uint64_t { static_cast<std::uint8_t>(kind) } << IndexBits)
        | ((generation & GenerationMask) << GenerationShift);
}

inline std::uint64_t HandleBits(void const* handle)
{
    return static_cast<std::uint64_t>(reinterpret_cast<std::uintptr_t>(handle));
}

inline ObjectKind KindOfHandle(void const* handle)
{
    return static_cast<ObjectKind>((HandleBits(handle) >> handle_layout::IndexBits) & handle_layout::KindMask);
}

template<typename Handle>
Handle HandleFromBits(std::uint64_t bits)
{
    return reinterpret_cast<Handle>(static_cast<std::uintptr_t>(bits));
}

template<typename Object, ObjectKind Kind>
class HandlePool {
public:
    static constexpr std::uint32_t ChunkSize = 4096;
    static constexpr std::uint32_t MaxSlots = std::uint32_t { 1 } << handle_layout::IndexBits;
    static constexpr std::uint32_t ChunkCount = MaxSlots / ChunkSize;

    struct Created {
        Object* object;
        std::uint64_t handle;
    };

    // Makes a default-constructed object in a free slot. Returns a null
    // object when every slot is taken.
    Created Create()
    {
        std::uint32_t index;
        if (m_firstFree != NoSlot) {
            index = m_firstFree;
            m_firstFree = SlotAt(index).nextFree;
        } else {
            if (m_slotCount == MaxSlots)
                return { nullptr, 0 };
            if (m_slotCount % ChunkSize == 0) {
                // A new chunk is the one allocation a creation makes: without
                // memory the creation fails, the Win32 way.
                Chunk* const chunk = new (std::nothrow) Chunk;
                if (!chunk) {
                    NoteOutOfMemory();
                    return { nullptr, 0 };
                }
                m_chunks[m_slotCount / ChunkSize].reset(chunk);
            }
            index = m_slotCount++;
        }
        Slot& slot = SlotAt(index);
        slot.handle = EncodeHandle(Kind, index, slot.generation);
        slot.object = Object {};
        ++m_liveCount;
        return { &slot.object, slot.handle };
    }

    // The live object a handle names, or null for a handle of another kind,
    // a stale handle or garbage. A live slot keeps its full handle, so one
    // comparison checks kind, slot and generation at once. The object found
    // last is remembered: drawing names the same DC call after call.
    Object* Find(void const* handle)
    {
        std::uint64_t const bits = HandleBits(handle);
        if (bits == m_recentHandle && bits != 0)
            return m_recentObject;
        std::uint32_t const index = static_cast<std::uint32_t>(bits & handle_layout::IndexMask);
        if (index >= m_slotCount)
            return nullptr;
        Slot& slot = SlotAt(index);
        if (slot.handle != bits || bits == 0)
            return nullptr;
        m_recentHandle = bits;
        m_recentObject = &slot.object;
        return &slot.object;
    }

    // Destroys the object a valid handle names; its handle goes stale.
    void Destroy(void const* handle)
    {
        std::uint32_t const index = static_cast<std::uint32_t>(HandleBits(handle) & handle_layout::IndexMask);
        Slot& slot = SlotAt(index);
        if (slot.handle == m_recentHandle)
            m_recentHandle = 0;
        slot.object = Object {};
        slot.handle = 0;
        slot.generation = (slot.generation + 1) & handle_layout::GenerationMask;
        slot.nextFree = m_firstFree;
        m_firstFree = index;
        --m_liveCount;
    }

    std::uint32_t LiveCount() const { return m_liveCount; }

private:
    static constexpr std::uint32_t NoSlot = ~std::uint32_t { 0 };

    struct Slot {
        std::uint64_t handle = 0; // 0 while the slot is free
        std::uint64_t generation = 0;
        std::uint32_t nextFree = NoSlot;
        Object object {};
    };
    using Chunk = std::array<Slot, ChunkSize>;

    Slot& SlotAt(std::uint32_t index) { return (*m_chunks[index / ChunkSize].get())[index % ChunkSize]; }

    // A fixed directory: finding a slot loads its chunk, then the slot.
    std::array<std::unique_ptr<Chunk>, ChunkCount> m_chunks;
    std::uint32_t m_slotCount = 0;
    std::uint64_t m_recentHandle = 0; // 0, or the live handle Find returned last
    Object* m_recentObject = nullptr;
    std::uint32_t m_firstFree = NoSlot;
    std::uint32_t m_liveCount = 0;
};

} // namespace winapi::gdi
