#pragma once
// Class identifiers as compound files and property sets store them: 16 bytes, the first
// three fields little-endian, then the eight bytes of data4 as they stand.

#include "platform/base/Guid.h"

#include <array>
#include <cstdint>

namespace kelmora {

using ClassIdBytes = std::array<uint8_t, 16>;

ClassIdBytes GuidToBytes(const Guid& guid);
Guid GuidFromBytes(const uint8_t* bytes); // reads 16 bytes

} // namespace kelmora
