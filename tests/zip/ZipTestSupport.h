#pragma once
// Helpers shared by the zip tests: files, test data, a hand-built archive maker for
// malformed archives, a central-directory lister and a deflate symbol decoder.

#include <cstdint>
#include <filesystem>
#include <optional>
#include <ostream>
#include <span>
#include <string>
#include <vector>

namespace kelmora::ziptest {

using Bytes = std::vector<uint8_t>;

// A fresh folder under the temporary folder, removed with its contents at the end.
class ScratchFolder {
public:
    ScratchFolder();
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;
    const std::filesystem::path& Path() const { return m_path; }
    std::filesystem::path operator/(const std::string& name) const { return m_path / name; }

private:
    std::filesystem::path m_path;
};

void WriteFile(const std::filesystem::path& path, std::span<const uint8_t> bytes);
void WriteFile(const std::filesystem::path& path, const std::string& text);
Bytes ReadFile(const std::filesystem::path& path);
int OpenDescriptorCount();

enum class DataKind { Zeros, Text, Random };
const char* DataKindName(DataKind kind);
inline void PrintTo(DataKind kind, std::ostream* out) { *out << DataKindName(kind); }
// Deterministic test data: all zeros, English-like words, or pseudo-random bytes.
Bytes MakeData(DataKind kind, size_t size, uint32_t seed = 1);

// Inflates a raw deflate stream with zlib; nothing when zlib reports an error or the
// stream does not end exactly at the end of the data.
std::optional<Bytes> Inflate(std::span<const uint8_t> compressed);
uint32_t Crc32(std::span<const uint8_t> bytes);

// One entry of a hand-built archive; every field is written as given.
struct RawEntry {
    std::string name;
    Bytes data; // exactly as stored in the archive
    uint16_t method = 0;
    uint16_t flags = 0;
    uint32_t crc = 0;
    uint32_t compressedSize = 0;
    uint32_t uncompressedSize = 0;
    uint32_t externalAttributes = 0;
    uint32_t dosTime = 0x00210000; // 1980-01-01 00:00
    Bytes localExtra;
    uint16_t localMethodOverride = 0xFFFF; // another method in the local header only
};
// A stored entry with correct sizes and CRC.
RawEntry StoredEntry(const std::string& name, const Bytes& content);
Bytes BuildArchive(const std::vector<RawEntry>& entries);

// Entries as the central directory lists them (archives without trailing data).
struct ListedEntry {
    std::string name;
    uint16_t versionMadeBy, versionNeeded, flags, method;
    uint32_t dosTime, crc, compressedSize, uncompressedSize, externalAttributes, localHeaderOffset;
    Bytes centralExtra;
};
std::vector<ListedEntry> ListArchive(const Bytes& archive);

// A deflate stream decoded into its blocks and symbols.
struct DeflateSymbol {
    uint16_t length = 0;   // 0 for a literal
    uint16_t distance = 0; // 0 for a literal
    uint8_t literal = 0;
};
struct DeflateBlock {
    int type = 0; // 0 stored, 1 fixed codes, 2 dynamic codes
    bool final = false;
    uint32_t storedLength = 0;
    std::vector<DeflateSymbol> symbols;
};
std::optional<std::vector<DeflateBlock>> DecodeDeflate(std::span<const uint8_t> stream);

} // namespace kelmora::ziptest
