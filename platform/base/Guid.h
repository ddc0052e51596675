#pragma once
// Globally unique identifiers, as the document and temporary-file names use them.

#include <array>
#include <cstdint>
#include <optional>
#include <string>

namespace kelmora {

struct Guid {
    uint32_t data1 = 0;
    uint16_t data2 = 0;
    uint16_t data3 = 0;
    std::array<uint8_t, 8> data4 {};

    friend bool operator==(const Guid&, const Guid&) = default;
};

// A new random GUID, or nothing when the system cannot make one.
std::optional<Guid> NewGuid();

// 32 upper-case hexadecimal digits: data1 as 8 digits, data2 and data3 as 4, then the
// eight data4 bytes as 2 each. No braces, no dashes.
std::string FormatGuidDigits(const Guid& guid);

// A new GUID as FormatGuidDigits gives it; "$QX" where no GUID can be made, so that
// a temporary-file name built from it still has a usable prefix.
std::string NewGuidString();

} // namespace kelmora
