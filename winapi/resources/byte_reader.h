#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

namespace winapi::resources {

// Reads little-endian values from a byte span without ever leaving it. Every
// read past the end fails and leaves the reader failed for good, so a parser
// can read a whole structure and check Ok() once.
class ByteReader {
public:
    explicit ByteReader(std::span<std::uint8_t const> bytes)
        : m_bytes(bytes)
    {
    }

    bool Ok() const { return m_ok; }
    std::size_t Offset() const { return m_offset; }
    std::size_t Remaining() const { return m_ok ? m_bytes.size() - m_offset : 0; }
    bool AtEnd() const { return m_ok && m_offset == m_bytes.size(); }

    std::uint8_t ReadU8()
    {
        if (!Require(1))
            return 0;
        return m_bytes[m_offset++];
    }

    std::uint16_t ReadU16()
    {
        if (!Require(2))
            return 0;
        auto const value = static_cast<std::uint16_t>(m_bytes[m_offset] | (m_bytes[m_offset + 1] << 8));
        m_offset += 2;
        return value;
    }

    std::uint32_t ReadU32()
    {
        if (!Require(4))
            return 0;
        std::uint32_t value = 0;
        for (int i = 3; i >= 0; --i)
            value = (value << 8) | m_bytes[m_offset + static_cast<std::size_t>(i)];
        m_offset += 4;
        return value;
    }

    std::int16_t ReadI16() { return static_cast<std::int16_t>(ReadU16()); }
    std::int32_t ReadI32() { return static_cast<std::int32_t>(ReadU32()); }

    // A zero-terminated UTF-16 string; the terminator is consumed, not kept.
    std::u16string ReadString()
    {
        std::u16string text;
        while (m_ok) {
            char16_t const unit = ReadU16();
            if (!m_ok || unit == 0)
                break;
            text.push_back(unit);
        }
        return text;
    }

    std::span<std::uint8_t const> ReadBytes(std::size_t count)
    {
        if (!Require(count))
            return {};
        auto const bytes = m_bytes.subspan(m_offset, count);
        m_offset += count;
        return bytes;
    }

    void Skip(std::size_t count) { ReadBytes(count); }

    // Moves to the next multiple of `alignment` counted from the span's
    // start. Running out of bytes on the way is not an error: alignment
    // padding may be missing at the very end.
    void AlignTo(std::size_t alignment)
    {
        if (!m_ok)
            return;
        std::size_t const padding = (alignment - m_offset % alignment) % alignment;
        m_offset = padding <= m_bytes.size() - m_offset ? m_offset + padding : m_bytes.size();
    }

    void Seek(std::size_t offset)
    {
        if (offset > m_bytes.size())
            m_ok = false;
        else if (m_ok)
            m_offset = offset;
    }

private:
    bool Require(std::size_t count)
    {
        if (m_ok && count <= m_bytes.size() - m_offset)
            return true;
        m_ok = false;
        return false;
    }

    std::span<std::uint8_t const> m_bytes;
    std::size_t m_offset { 0 };
    bool m_ok { true };
};

}
