#include "platform/base/Guid.h"

#include <uuid/uuid.h>

#include <cstdio>

namespace kelmora {

std::optional<Guid> NewGuid()
{
    uuid_t raw;
    // uuid_generate_random fails only when no randomness source exists; it then falls
    // back to a weak generator, which is still unique enough for file names.
    uuid_generate_random(raw);
    bool allZero = true;
    for (unsigned char byte : raw)
        allZero = allZero && byte == 0;
    if (allZero)
        return std::nullopt;

    // The 16 bytes are the big-endian RFC 4122 layout, which maps field by field onto
    // the Windows GUID structure.
    Guid guid;
    guid.data1 = (uint32_t(raw[0]) << 24) | (uint32_t(raw[1]) << 16) | (uint32_t(raw[2]) << 8) | raw[3];
    guid.data2 = uint16_t((raw[4] << 8) | raw[5]);
    guid.data3 = uint16_t((raw[6] << 8) | raw[7]);
    for (int i = 0; i < 8; ++i)
        guid.data4[i] = raw[8 + i];
    return guid;
}

std::string FormatGuidDigits(const Guid& guid)
{
    char text[33];
    std::snprintf(text, sizeof text, "%08X%04X%04X%02X%02X%02X%02X%02X%02X%02X%02X",
                  unsigned(guid.data1), unsigned(guid.data2), unsigned(guid.data3),
                  guid.data4[0], guid.data4[1], guid.data4[2], guid.data4[3],
                  guid.data4[4], guid.data4[5], guid.data4[6], guid.data4[7]);
    return text;
}

std::string NewGuidString()
{
    auto guid = NewGuid();
    if (!guid)
        return "$QX";
    return FormatGuidDigits(*guid);
}

} // namespace kelmora
