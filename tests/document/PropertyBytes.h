#pragma once
// Builds property-set bytes by hand for tests, independent of the code under test.

#include "platform/storage/ClassId.h"

#include <cstdint>
#include <string_view>
#include <vector>

namespace kelmora::test {

struct Bytes {
    std::vector<uint8_t> data;

    Bytes& U16(uint16_t v) { data.push_back(uint8_t(v)); data.push_back(uint8_t(v >> 8)); return *this; }
    Bytes& U32(uint32_t v) { for (int i = 0; i < 4; ++i) data.push_back(uint8_t(v >> (8 * i))); return *this; }
    Bytes& U64(uint64_t v) { U32(uint32_t(v)); return U32(uint32_t(v >> 32)); }
    Bytes& Raw(std::string_view s) { data.insert(data.end(), s.begin(), s.end()); return *this; }
    Bytes& Zeros(size_t n) { data.insert(data.end(), n, 0); return *this; }
    Bytes& Id(const Guid& g) { auto b = GuidToBytes(g); data.insert(data.end(), b.begin(), b.end()); return *this; }
    Bytes& Append(const Bytes& other) { data.insert(data.end(), other.data.begin(), other.data.end()); return *this; }
    size_t Size() const { return data.size(); }
};

inline uint32_t ReadU32At(const std::vector<uint8_t>& bytes, size_t at)
{
    return uint32_t(bytes[at]) | uint32_t(bytes[at + 1]) << 8 | uint32_t(bytes[at + 2]) << 16
        | uint32_t(bytes[at + 3]) << 24;
}

inline const Guid kTestFormat { 0x12345678, 0x9ABC, 0xDEF0, { 1, 2, 3, 4, 5, 6, 7, 8 } };

// A stream holding one section of kTestFormat whose properties are given as (PID, value
// bytes) pairs in table order; the values are laid out one after the other.
inline std::vector<uint8_t> OneSectionStream(const std::vector<std::pair<uint32_t, Bytes>>& properties)
{
    Bytes section;
    uint32_t offset = uint32_t(8 + 8 * properties.size());
    Bytes table;
    Bytes values;
    for (const auto& [pid, value] : properties) {
        table.U32(pid).U32(offset + uint32_t(values.Size()));
        values.Append(value);
    }
    section.U32(uint32_t(8 + table.Size() + values.Size())).U32(uint32_t(properties.size()));
    section.Append(table).Append(values);

    Bytes set;
    set.U16(0xFFFE).U16(0).U32(0x20006).Zeros(16).U32(1).Id(kTestFormat).U32(48);
    set.Append(section);
    return set.data;
}

} // namespace kelmora::test
