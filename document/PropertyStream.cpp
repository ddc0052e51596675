#include "document/PropertyStream.h"

#include <algorithm>
#include <cassert>
#include <cstring>

namespace kelmora {

bool PropertyStreamReader::Seek(uint64_t offset)
{
    if (offset > m_bytes.size())
        return false;
    m_position = size_t(offset);
    return true;
}

size_t PropertyStreamReader::Remaining() const
{
    return std::min(m_bytes.size() - m_position, m_budget);
}

bool PropertyStreamReader::Read(void* out, size_t count)
{
    if (count > Remaining())
        return false;
    if (count > 0)
        std::memcpy(out, m_bytes.data() + m_position, count);
    m_position += count;
    m_budget -= count;
    return true;
}

bool PropertyStreamReader::ReadU16(uint16_t& value)
{
    uint8_t bytes[2];
    if (!Read(bytes, 2))
        return false;
    value = uint16_t(bytes[0] | bytes[1] << 8);
    return true;
}

bool PropertyStreamReader::ReadU32(uint32_t& value)
{
    uint8_t bytes[4];
    if (!Read(bytes, 4))
        return false;
    value = uint32_t(bytes[0]) | uint32_t(bytes[1]) << 8 | uint32_t(bytes[2]) << 16 | uint32_t(bytes[3]) << 24;
    return true;
}

bool PropertyStreamReader::Append(std::vector<uint8_t>& out, size_t count)
{
    if (count > Remaining())
        return false;
    out.insert(out.end(), m_bytes.begin() + ptrdiff_t(m_position), m_bytes.begin() + ptrdiff_t(m_position + count));
    m_position += count;
    m_budget -= count;
    return true;
}

void PropertyStreamWriter::Write(const void* data, size_t count)
{
    const uint8_t* bytes = static_cast<const uint8_t*>(data);
    m_out.insert(m_out.end(), bytes, bytes + count);
}

void PropertyStreamWriter::WriteU16(uint16_t value)
{
    uint8_t bytes[2] = { uint8_t(value), uint8_t(value >> 8) };
    Write(bytes, 2);
}

void PropertyStreamWriter::WriteU32(uint32_t value)
{
    uint8_t bytes[4] = { uint8_t(value), uint8_t(value >> 8), uint8_t(value >> 16), uint8_t(value >> 24) };
    Write(bytes, 4);
}

void PropertyStreamWriter::WriteZeros(size_t count)
{
    m_out.insert(m_out.end(), count, 0);
}

void PropertyStreamWriter::PatchU32(size_t position, uint32_t value)
{
    uint8_t bytes[4] = { uint8_t(value), uint8_t(value >> 8), uint8_t(value >> 16), uint8_t(value >> 24) };
    Patch(position, bytes, 4);
}

void PropertyStreamWriter::Patch(size_t position, const void* data, size_t count)
{
    assert(position + count <= m_out.size());
    std::memcpy(m_out.data() + position, data, count);
}

} // namespace kelmora
