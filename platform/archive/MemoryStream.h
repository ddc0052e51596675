#pragma once
// A ByteStream held in memory: the clipboard's records, archives unpacked from a
// container, and tests.

#include "platform/archive/ByteStream.h"

#include <cstdint>
#include <vector>

namespace kelmora {

class MemoryStream final : public ByteStream {
public:
    // An empty stream, positioned at 0.
    MemoryStream() = default;
    // A stream holding `bytes`, positioned at its start.
    explicit MemoryStream(std::vector<std::uint8_t> bytes);
    // A stream holding a copy of `size` bytes at `data`, positioned at its start.
    MemoryStream(const void* data, std::size_t size);

    std::size_t Read(void* buffer, std::size_t count) override;
    void Write(const void* data, std::size_t count) override;
    std::uint64_t Seek(std::int64_t offset, SeekOrigin origin) override;
    std::uint64_t Tell() const override { return m_position; }
    std::uint64_t Size() const override { return m_bytes.size(); }

    // The whole content, independent of the position.
    const std::vector<std::uint8_t>& Bytes() const { return m_bytes; }
    // Moves the content out; the stream is then empty and positioned at 0.
    std::vector<std::uint8_t> TakeBytes();

private:
    std::vector<std::uint8_t> m_bytes;
    std::uint64_t m_position = 0;
};

} // namespace kelmora
