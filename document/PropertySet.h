#pragma once
// Property sets: typed values addressed by property identifier (PID), grouped in sections
// named by a format identifier (FMTID), read from and written to the serialized
// property-set stream format. The document's summary information is kept in one.
//
// Stream layout (little-endian): a 28-byte header (byte order 0xFFFE, format 0, OS
// version, class id, section count), a table of (FMTID, offset from the set's start) per
// section; each section is its size, its property count, a table of (PID, offset from
// the section's start), then the values. A value is its type DWORD and its bytes, zero
// padded to a multiple of 4. PID 0 holds the name dictionary, which has no type.
//
// In memory a value is held in a block laid out per element (a vector value starts with
// its DWORD element count):
//   VT_EMPTY                                   nothing
//   VT_I2, VT_BOOL                             2 bytes
//   VT_I4, VT_R4                               4 bytes
//   VT_R8, VT_CY, VT_DATE, VT_I8, VT_FILETIME  8 bytes
//   VT_CLSID                                   16 bytes
//   VT_LPSTR, VT_BLOB, VT_BLOB_OBJECT, VT_CF, 75
//                                              DWORD byte count, then the bytes (a text
//                                              counts its terminating NUL)
//   VT_BSTR, VT_LPWSTR, VT_STREAM, VT_STORAGE, VT_STREAMED_OBJECT, VT_STORED_OBJECT,
//   VT_VERSIONED_STREAM, 74                    DWORD character count (with the NUL), then
//                                              that many UTF-16 characters
// Every block is followed by two zero bytes that the layout does not count, so a text
// taken from a damaged stream that lacks its NUL still ends inside the block.
//
// Texts of the BSTR family are stored in the stream in Windows-1252, at most 1024 bytes
// per element with the NUL; longer texts are cut, and the count says what was written.
// Dictionary names are stored in Windows-1252 too, at most 254 bytes and a NUL.
//
// Operations report failure as false and never throw.

#include "platform/base/Guid.h"

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace kelmora {

class PropertyStreamReader;
class PropertyStreamWriter;

// Variant type codes of property values.
inline constexpr uint32_t VT_EMPTY = 0;
inline constexpr uint32_t VT_I2 = 2;
inline constexpr uint32_t VT_I4 = 3;
inline constexpr uint32_t VT_R4 = 4;
inline constexpr uint32_t VT_R8 = 5;
inline constexpr uint32_t VT_CY = 6;
inline constexpr uint32_t VT_DATE = 7;
inline constexpr uint32_t VT_BSTR = 8;
inline constexpr uint32_t VT_BOOL = 11;
inline constexpr uint32_t VT_VARIANT = 12;
inline constexpr uint32_t VT_UI1 = 17;
inline constexpr uint32_t VT_I8 = 20;
inline constexpr uint32_t VT_LPSTR = 30;
inline constexpr uint32_t VT_LPWSTR = 31;
inline constexpr uint32_t VT_FILETIME = 64;
inline constexpr uint32_t VT_BLOB = 65;
inline constexpr uint32_t VT_STREAM = 66;
inline constexpr uint32_t VT_STORAGE = 67;
inline constexpr uint32_t VT_STREAMED_OBJECT = 68;
inline constexpr uint32_t VT_STORED_OBJECT = 69;
inline constexpr uint32_t VT_BLOB_OBJECT = 70;
inline constexpr uint32_t VT_CF = 71;
inline constexpr uint32_t VT_CLSID = 72;
inline constexpr uint32_t VT_VERSIONED_STREAM = 73;
inline constexpr uint32_t VT_VECTOR = 0x1000;

// Longest text of the BSTR family, in bytes with its NUL, that one element stores.
inline constexpr size_t kMaxPropertyTextBytes = 1024;
// Longest dictionary entry, in bytes with the NUL, that the writer stores.
inline constexpr size_t kMaxPropertyNameBytes = 255;
// Longest dictionary entry the reader accepts.
inline constexpr size_t kMaxReadPropertyNameBytes = 256;

// One typed value.
class CProperty {
public:
    CProperty() = default;
    CProperty(uint32_t propId, uint32_t type) : m_dwPropID(propId), m_dwType(type) { }

    uint32_t GetID() const { return m_dwPropID; }
    uint32_t GetType() const { return m_dwType; }
    void SetID(uint32_t propId) { m_dwPropID = propId; }
    void SetType(uint32_t type) { m_dwType = type; }

    // Replaces the value, for the current type. A null value or VT_EMPTY leaves no value
    // and succeeds. A non-vector VT_BSTR, VT_LPWSTR or VT_STREAM to VT_STORED_OBJECT takes
    // a NUL-terminated UTF-16 text, a non-vector VT_LPSTR a NUL-terminated byte text;
    // both are stored with their count. Every other value, and every vector, is passed in
    // the in-memory layout and copied for its length. A type the table lacks gives false
    // and no value.
    bool SetValue(const void* value);

    // Counted non-vector values (VT_BSTR, VT_LPSTR, VT_LPWSTR, VT_STREAM to
    // VT_STORED_OBJECT, VT_CF, VT_VERSIONED_STREAM, 74): the first byte after the count.
    // Other known types: the start of the block. Null without a value or for a type the
    // table lacks.
    const void* GetValue() const;
    // Bytes of the layout from GetValue() on (for a text, the count with its NUL).
    size_t GetValueSize() const;

    bool HasValue() const { return m_pValue.has_value(); }

    // Whether WriteToStream can write this property: its type is in the table and it has
    // a value where the type needs one.
    bool CanWrite() const;

    bool WriteToStream(PropertyStreamWriter& stream) const;
    // Reads the type and the value at the stream's position. On failure the property
    // keeps the type it read (0 when even that was short) and has no value.
    bool ReadFromStream(PropertyStreamReader& stream);

private:
    size_t LayoutSize() const;

    uint32_t m_dwPropID = 0;
    uint32_t m_dwType = VT_EMPTY;
    // The value's block in the in-memory layout and its two zero bytes; none without value.
    std::optional<std::vector<uint8_t>> m_pValue;
};

// One section: the properties of one format identifier, in stream order, and the names
// of its dictionary.
class CPropertySection {
public:
    explicit CPropertySection(const Guid& formatId = {}) : m_FormatID(formatId) { }

    const Guid& GetFormatID() const { return m_FormatID; }
    uint32_t GetSectionSize() const { return m_dwSectionSize; }
    uint32_t GetPropCount() const { return m_dwPropCount; }
    const std::string& GetSectionName() const { return m_strSectionName; }
    // Lowercased names to PIDs.
    const std::map<std::string, uint32_t>& GetPropertyNames() const { return m_NameDict; }
    const std::vector<std::unique_ptr<CProperty>>& GetProperties() const { return m_PropList; }

    // The property of that PID takes the type and the value (SetValue's result is not
    // reported); a new PID is appended to the list. Always true.
    bool Set(uint32_t propId, const void* value, uint32_t type);
    // The value of the first property of that PID; null when absent or without value.
    const void* Get(uint32_t propId) const;
    const CProperty* GetProperty(uint32_t propId) const;
    void RemoveAll();

    // Enters the lowercased name for the PID; false when that name is already taken.
    bool SetPropertyName(uint32_t propId, std::string_view name);

    // Writes the section at the stream's position. Adds the dictionary property (PID 0)
    // when the section has none, so it stays in the list. Properties that cannot be
    // written (a type the table lacks, kept from another program's file, or no value) are
    // left out of the stream.
    bool WriteToStream(PropertyStreamWriter& stream);
    // Reads the section at the stream's position, replacing the properties. Properties
    // whose values cannot be read are kept with their PID and type; false then.
    bool ReadFromStream(PropertyStreamReader& stream);

private:
    void WriteNameDict(PropertyStreamWriter& stream) const;
    bool ReadNameDict(PropertyStreamReader& stream);

    Guid m_FormatID;
    uint32_t m_dwSectionSize = 0;
    uint32_t m_dwPropCount = 0;
    std::vector<std::unique_ptr<CProperty>> m_PropList;
    std::map<std::string, uint32_t> m_NameDict;
    std::string m_strSectionName;
};

// A whole property-set stream.
class CPropertySet {
public:
    CPropertySet();
    CPropertySet(CPropertySet&&) = default;
    CPropertySet& operator=(CPropertySet&&) = default;

    uint16_t GetByteOrder() const { return m_wByteOrder; }
    uint16_t GetFormat() const { return m_wFormat; }
    uint32_t GetOSVersion() const { return m_dwOSVer; }
    const Guid& GetClassID() const { return m_clsID; }
    void SetClassID(const Guid& classId) { m_clsID = classId; }
    uint32_t GetSectionCount() const { return m_dwSectionCount; }
    const std::vector<std::unique_ptr<CPropertySection>>& GetSections() const { return m_SectionList; }

    // The first section of that FMTID, or null.
    CPropertySection* GetSection(const Guid& formatId) const;
    // That section, appended when missing.
    CPropertySection* AddSection(const Guid& formatId);
    void RemoveAll();

    // Appends the whole set to `out`; offsets count from where it starts. False, with
    // `out` as it was, when a section cannot be written or the set outgrows 32-bit offsets.
    bool WriteToStream(std::vector<uint8_t>& out);
    // Reads a set that starts at the first byte, replacing the sections. False when the
    // header or a section-table entry is short; sections that fail to read are kept with
    // what was read of them.
    bool ReadFromStream(std::span<const uint8_t> bytes);

private:
    uint16_t m_wByteOrder = 0xFFFE;
    uint16_t m_wFormat = 0;
    uint32_t m_dwOSVer;
    Guid m_clsID {};
    uint32_t m_dwSectionCount = 0;
    std::vector<std::unique_ptr<CPropertySection>> m_SectionList;
};

// Lowercases a property name the way dictionary lookups compare them: every letter that
// Windows-1252 can store is mapped to its lower-case form.
std::string LowercasePropertyName(std::string_view name);

} // namespace kelmora
