#pragma once
// Where an XPS package's parts come from. The package reader asks for parts by their
// absolute part name ("/Documents/1/Pages/1.fpage"); the source maps the name to its
// container (a zip archive for a file) and returns the part's bytes. Part names compare
// without regard to ASCII case, as packages require.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace kelmora {

class XpsPackageSource {
public:
    virtual ~XpsPackageSource() = default;

    // The bytes of the part `partName`, or nothing when there is no such part, it
    // cannot be read, or it holds more than `maxSize` bytes.
    virtual std::optional<std::vector<uint8_t>> ReadPart(const std::string& partName, size_t maxSize) = 0;
};

} // namespace kelmora
