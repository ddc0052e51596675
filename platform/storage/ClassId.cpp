#include "platform/storage/ClassId.h"

namespace kelmora {

ClassIdBytes GuidToBytes(const Guid& guid)
{
    ClassIdBytes bytes {};
    for (int i = 0; i < 4; ++i)
        bytes[i] = uint8_t(guid.data1 >> (8 * i));
    for (int i = 0; i < 2; ++i) {
        bytes[4 + i] = uint8_t(guid.data2 >> (8 * i));
        bytes[6 + i] = uint8_t(guid.data3 >> (8 * i));
    }
    for (int i = 0; i < 8; ++i)
        bytes[8 + i] = guid.data4[i];
    return bytes;
}

Guid GuidFromBytes(const uint8_t* bytes)
{
    Guid guid;
    guid.data1 = uint32_t(bytes[0]) | uint32_t(bytes[1]) << 8 | uint32_t(bytes[2]) << 16
        | uint32_t(bytes[3]) << 24;
    guid.data2 = uint16_t(bytes[4] | bytes[5] << 8);
    guid.data3 = uint16_t(bytes[6] | bytes[7] << 8);
    for (int i = 0; i < 8; ++i)
        guid.data4[i] = bytes[8 + i];
    return guid;
}

} // namespace kelmora
