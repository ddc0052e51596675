#include "platform/archive/MemoryStream.h"

#include "platform/archive/FileException.h"

#include <algorithm>
#include <cstring>
#include <limits>

namespace kelmora {

MemoryStream::MemoryStream(std::vector<std::uint8_t> bytes)
    : m_bytes(std::move(bytes))
{
}

MemoryStream::MemoryStream(const void* data, std::size_t size)
    : m_bytes(static_cast<const std::uint8_t*>(data), static_cast<const std::uint8_t*>(data) + size)
{
}

std::size_t MemoryStream::Read(void* buffer, std::size_t count)
{
    if (m_position >= m_bytes.size())
        return 0;
    std::size_t available = std::size_t(m_bytes.size() - m_position);
    std::size_t read = std::min(count, available);
    std::memcpy(buffer, m_bytes.data() + m_position, read);
    m_position += read;
    return read;
}

void MemoryStream::Write(const void* data, std::size_t count)
{
    if (count == 0)
        return;
    std::uint64_t end = m_position + count;
    if (end > m_bytes.size())
        m_bytes.resize(std::size_t(end)); // a gap after a seek beyond the end becomes zeros
    std::memcpy(m_bytes.data() + m_position, data, count);
    m_position = end;
}

std::uint64_t MemoryStream::Seek(std::int64_t offset, SeekOrigin origin)
{
    std::int64_t base = 0;
    switch (origin) {
    case SeekOrigin::Begin: base = 0; break;
    case SeekOrigin::Current: base = std::int64_t(m_position); break;
    case SeekOrigin::End: base = std::int64_t(m_bytes.size()); break;
    }
    if ((offset < 0 && base + offset < 0) || (offset > 0 && base > std::numeric_limits<std::int64_t>::max() - offset))
        throw FileException(FileException::Cause::BadSeek, {});
    m_position = std::uint64_t(base + offset);
    return m_position;
}

std::vector<std::uint8_t> MemoryStream::TakeBytes()
{
    std::vector<std::uint8_t> bytes = std::move(m_bytes);
    m_bytes.clear();
    m_position = 0;
    return bytes;
}

} // namespace kelmora
