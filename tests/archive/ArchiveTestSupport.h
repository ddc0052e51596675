#pragma once
// Helpers shared by the archive tests: byte literals and archives over memory.

#include "platform/archive/Archive.h"
#include "platform/archive/MemoryStream.h"

#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

namespace kelmora::test {

using Bytes = std::vector<std::uint8_t>;

inline Bytes B(std::initializer_list<int> values)
{
    Bytes bytes;
    for (int value : values)
        bytes.push_back(std::uint8_t(value));
    return bytes;
}

inline Bytes Concat(std::initializer_list<Bytes> parts)
{
    Bytes all;
    for (const Bytes& part : parts)
        all.insert(all.end(), part.begin(), part.end());
    return all;
}

inline Bytes Ascii(const std::string& text) { return Bytes(text.begin(), text.end()); }

// The bytes that `write` stores.
template <class Write>
Bytes Stored(Write write)
{
    MemoryStream stream;
    Archive archive(stream, ArchiveMode::Store);
    write(archive);
    return stream.TakeBytes();
}

// Loads `bytes` with `read`, and checks that it consumed all of them.
template <class Read>
auto Loaded(const Bytes& bytes, Read read)
{
    MemoryStream stream(bytes);
    Archive archive(stream, ArchiveMode::Load);
    auto result = read(archive);
    if (archive.RemainingBytes() != 0)
        throw std::logic_error("bytes left over");
    return result;
}

// The cause of the ArchiveException that loading `bytes` with `read` throws, or None.
template <class Read>
ArchiveException::Cause LoadFailure(const Bytes& bytes, Read read)
{
    MemoryStream stream(bytes);
    Archive archive(stream, ArchiveMode::Load);
    try {
        read(archive);
    } catch (const ArchiveException& error) {
        return error.GetCause();
    }
    return ArchiveException::Cause::None;
}

} // namespace kelmora::test
