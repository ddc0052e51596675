#pragma once
// The parts of an XPS file, read from its zip archive. Part names map to entry names
// without the leading slash and without regard to ASCII case; an entry name that occurs
// twice in that sense makes the package ambiguous, and neither entry is served.

#include "document/zip/ZipHandle.h"
#include "platform/xps/XpsPackageSource.h"

#include <filesystem>
#include <map>
#include <memory>
#include <string>

namespace kelmora {

class XpsZipSource final : public XpsPackageSource {
public:
    // Opens the archive; null when it cannot be opened or its directory is damaged.
    static std::unique_ptr<XpsZipSource> Open(const std::filesystem::path& path);
    ~XpsZipSource() override;

    std::optional<std::vector<uint8_t>> ReadPart(const std::string& partName, size_t maxSize) override;

private:
    explicit XpsZipSource(ZipHandle* handle) : m_handle(handle) { }

    ZipHandle* m_handle;
    std::map<std::string, std::string> m_entries;   // lower-case part name → stored entry name
};

} // namespace kelmora
