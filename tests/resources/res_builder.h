#pragma once

// Builds resource data byte by byte for the parser tests: little-endian
// words, strings, and whole .res files.

#include <cstdint>
#include <string>
#include <vector>

class Bytes {
public:
    Bytes& U8(std::uint8_t value)
    {
        m_bytes.push_back(value);
        return *this;
    }
    Bytes& U16(std::uint16_t value) { return U8(static_cast<std::uint8_t>(value)).U8(static_cast<std::uint8_t>(value >> 8)); }
    Bytes& U32(std::uint32_t value) { return U16(static_cast<std::uint16_t>(value)).U16(static_cast<std::uint16_t>(value >> 16)); }
    // A zero-terminated UTF-16 string.
    Bytes& String(std::u16string const& text)
    {
        for (char16_t unit : text)
            U16(unit);
        return U16(0);
    }
    Bytes& Ordinal(std::uint16_t number) { return U16(0xFFFF).U16(number); }
    Bytes& Append(std::vector<std::uint8_t> const& more)
    {
        m_bytes.insert(m_bytes.end(), more.begin(), more.end());
        return *this;
    }
    Bytes& AlignTo(std::size_t alignment)
    {
        while (m_bytes.size() % alignment)
            U8(0);
        return *this;
    }

    std::vector<std::uint8_t> const& Data() const { return m_bytes; }
    std::size_t Size() const { return m_bytes.size(); }

private:
    std::vector<std::uint8_t> m_bytes;
};

// A .res file: the empty opening record, then records with numbered types
// and numbered or string names.
class ResBuilder {
public:
    ResBuilder() { Add(0, 0, 0, {}); }

    ResBuilder& Add(std::uint16_t type, std::uint16_t name, std::uint16_t language, std::vector<std::uint8_t> const& data)
    {
        Bytes header;
        header.Ordinal(type).Ordinal(name);
        return AddWithIds(header, language, data);
    }

    ResBuilder& AddNamed(std::uint16_t type, std::u16string const& name, std::uint16_t language,
        std::vector<std::uint8_t> const& data)
    {
        Bytes header;
        header.Ordinal(type).String(name);
        return AddWithIds(header, language, data);
    }

    std::vector<std::uint8_t> const& Data() const { return m_file.Data(); }

private:
    ResBuilder& AddWithIds(Bytes ids, std::uint16_t language, std::vector<std::uint8_t> const& data)
    {
        ids.AlignTo(4);
        auto const headerSize = static_cast<std::uint32_t>(8 + ids.Size() + 16);
        m_file.U32(static_cast<std::uint32_t>(data.size())).U32(headerSize).Append(ids.Data());
        m_file.U32(0).U16(0x1030).U16(language).U32(0).U32(0);
        m_file.Append(data).AlignTo(4);
        return *this;
    }

    Bytes m_file;
};
