#pragma once
// The zip container as this system writes and reads it. Internal to the zip layer.
//
// An archive is, in this order: for each entry a local header, its name, its local
// extra field and its data; then one central directory entry per entry; then the end
// record. All numbers are little-endian. No data descriptors, comments, encryption,
// spanning or zip64 are written.

#include <cstddef>
#include <cstdint>
#include <string>

namespace kelmora::zipformat {

inline constexpr uint32_t kLocalHeaderSignature = 0x04034B50;   // "PK\3\4"
inline constexpr uint32_t kCentralEntrySignature = 0x02014B50;  // "PK\1\2"
inline constexpr uint32_t kEndRecordSignature = 0x06054B50;     // "PK\5\6"

inline constexpr size_t kLocalHeaderSize = 30;
inline constexpr size_t kCentralEntrySize = 46;
inline constexpr size_t kEndRecordSize = 22;

// The "UT" extended timestamp: flags byte, then u32 seconds since 1970 UTC for each
// flag set, in the order modification (1), access (2), creation (4). The local field
// carries all three, the central one only the modification time but keeps flags 7.
inline constexpr uint16_t kExtendedTimestampId = 0x5455;
inline constexpr uint8_t kTimestampModification = 1;
inline constexpr uint8_t kTimestampAccess = 2;
inline constexpr uint8_t kTimestampCreation = 4;
inline constexpr size_t kLocalExtraSize = 17;
inline constexpr size_t kCentralExtraSize = 9;

inline constexpr uint16_t kVersionMadeBy = 0x0B17;  // host 11, version 2.3
inline constexpr uint16_t kVersionNeeded = 20;
inline constexpr uint16_t kMethodStored = 0;
inline constexpr uint16_t kMethodDeflated = 8;

inline constexpr uint16_t kFlagEncrypted = 0x0001;
inline constexpr uint16_t kFlagDataDescriptor = 0x0008;
inline constexpr uint16_t kFlagStrongEncryption = 0x0040;

// Entry names are kept to what a 260-character buffer with its terminator holds.
inline constexpr size_t kMaxEntryNameBytes = 259;
// Every read and write of entry data goes through a buffer of this size.
inline constexpr size_t kIoBufferSize = 16384;

// DOS attribute bits in the low byte of the external attributes.
inline constexpr uint32_t kDosReadOnly = 0x01;
inline constexpr uint32_t kDosHidden = 0x02;
inline constexpr uint32_t kDosSystem = 0x04;
inline constexpr uint32_t kDosDirectory = 0x10;
inline constexpr uint32_t kDosArchive = 0x20;
// Unix mode bits in the high 16 bits.
inline constexpr uint32_t kUnixRegularFile = 0x8000u << 16;
inline constexpr uint32_t kUnixDirectory = 0x4000u << 16;
inline constexpr uint32_t kUnixOwnerRead = 0x0100u << 16;
inline constexpr uint32_t kUnixOwnerWrite = 0x0080u << 16;
inline constexpr uint32_t kUnixOwnerExecute = 0x0040u << 16;

inline uint16_t LoadU16(const uint8_t* p) { return uint16_t(p[0] | (p[1] << 8)); }
inline uint32_t LoadU32(const uint8_t* p)
{
    return uint32_t(p[0]) | (uint32_t(p[1]) << 8) | (uint32_t(p[2]) << 16) | (uint32_t(p[3]) << 24);
}

// Appends little-endian values to a byte string.
class RecordBuilder {
public:
    RecordBuilder& U8(uint8_t value)
    {
        m_bytes.push_back(char(value));
        return *this;
    }
    RecordBuilder& U16(uint16_t value) { return U8(uint8_t(value)).U8(uint8_t(value >> 8)); }
    RecordBuilder& U32(uint32_t value) { return U16(uint16_t(value)).U16(uint16_t(value >> 16)); }
    RecordBuilder& Bytes(const std::string& bytes)
    {
        m_bytes += bytes;
        return *this;
    }
    const std::string& Result() const { return m_bytes; }

private:
    std::string m_bytes;
};

} // namespace kelmora::zipformat
