#pragma once
// A seekable sequence of bytes that an Archive reads from or writes to.
//
// Positions and sizes are in bytes from the start of the stream. Reading stops at the
// end (a short count is not an error); writing either writes every byte or throws
// (FileException for files). Writing past the end extends the stream; writing after a
// seek beyond the end fills the gap with zero bytes.

#include <cstddef>
#include <cstdint>

namespace kelmora {

enum class SeekOrigin {
    Begin,   // offset from the start
    Current, // offset from the current position
    End,     // offset from the end
};

class ByteStream {
public:
    virtual ~ByteStream() = default;

    // Reads up to `count` bytes into `buffer`; returns how many were read, fewer only
    // at the end of the stream.
    virtual std::size_t Read(void* buffer, std::size_t count) = 0;

    // Writes all `count` bytes at the current position, or throws.
    virtual void Write(const void* data, std::size_t count) = 0;

    // Moves the position and returns the new one. A position before the start throws
    // FileException (BadSeek); one beyond the end is allowed.
    virtual std::uint64_t Seek(std::int64_t offset, SeekOrigin origin) = 0;

    virtual std::uint64_t Tell() const = 0;
    virtual std::uint64_t Size() const = 0;

    // Hands buffered bytes to the underlying medium; throws on failure.
    virtual void Flush() { }

protected:
    ByteStream() = default;
    ByteStream(const ByteStream&) = default;
    ByteStream& operator=(const ByteStream&) = default;
};

} // namespace kelmora
