#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace winapi::resources {

// Flag bits of an accelerator entry (FVIRTKEY, FNOINVERT, FSHIFT, FCONTROL,
// FALT), and the mark of a table's last entry.
inline constexpr std::uint16_t ACCEL_VIRTKEY = 0x01;
inline constexpr std::uint16_t ACCEL_NOINVERT = 0x02;
inline constexpr std::uint16_t ACCEL_SHIFT = 0x04;
inline constexpr std::uint16_t ACCEL_CONTROL = 0x08;
inline constexpr std::uint16_t ACCEL_ALT = 0x10;
inline constexpr std::uint16_t ACCEL_LAST_ENTRY = 0x80;

// One entry as the resource stores it: four words, flags, key, command and
// padding. With ACCEL_VIRTKEY the key is a virtual-key code, otherwise a
// character code.
struct AcceleratorEntry {
    std::uint16_t flags { 0 }; // as stored, ACCEL_LAST_ENTRY included
    std::uint16_t key { 0 };
    std::uint16_t command { 0 };
    std::uint16_t padding { 0 };

    // The flags that take part in matching a key (the ACCEL fVirt byte).
    std::uint8_t Modifiers() const { return static_cast<std::uint8_t>(flags & 0x7F); }
    bool IsVirtualKey() const { return (flags & ACCEL_VIRTKEY) != 0; }
};

struct AcceleratorTable {
    std::vector<AcceleratorEntry> entries;
};

// The entries up to the first one marked last, or up to the end of the data
// when none is marked. Nothing when not even one whole entry is there.
std::optional<AcceleratorTable> ParseAcceleratorTable(std::span<std::uint8_t const> data);

}
