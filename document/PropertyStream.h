#pragma once
// Byte access for property-set streams: a bounded little-endian reader over bytes in
// memory and an appending writer that can patch what it wrote earlier.
//
// The reader never reads past the end, and it keeps a budget of bytes it may still read
// in all: a sound property set never reads any byte twice, so a damaged one whose tables
// point many times at the same data stops after reading as many bytes as the stream
// holds, instead of taking time and memory in proportion to the square of its size.

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace kelmora {

class PropertyStreamReader {
public:
    explicit PropertyStreamReader(std::span<const uint8_t> bytes)
        : m_bytes(bytes), m_budget(bytes.size()) { }

    size_t Size() const { return m_bytes.size(); }
    size_t Position() const { return m_position; }

    // Moves to an absolute offset; false (and no move) past the end.
    bool Seek(uint64_t offset);

    // Bytes a read may still take: what is left after the position, within the budget.
    size_t Remaining() const;

    // Each read takes all it asks for or nothing, and then returns false.
    bool Read(void* out, size_t count);
    bool ReadU16(uint16_t& value);
    bool ReadU32(uint32_t& value);
    // Appends `count` bytes to `out`.
    bool Append(std::vector<uint8_t>& out, size_t count);

private:
    std::span<const uint8_t> m_bytes;
    size_t m_position = 0;
    size_t m_budget;
};

class PropertyStreamWriter {
public:
    explicit PropertyStreamWriter(std::vector<uint8_t>& out) : m_out(out) { }

    size_t Position() const { return m_out.size(); }
    void Write(const void* data, size_t count);
    void WriteU16(uint16_t value);
    void WriteU32(uint32_t value);
    void WriteZeros(size_t count);
    // Overwrites 4 bytes written earlier.
    void PatchU32(size_t position, uint32_t value);
    void Patch(size_t position, const void* data, size_t count);

private:
    std::vector<uint8_t>& m_out;
};

} // namespace kelmora
