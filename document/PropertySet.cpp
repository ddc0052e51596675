#include "document/PropertySet.h"

#include "document/PropertyStream.h"
#include "platform/base/TextEncoding.h"
#include "platform/storage/ClassId.h"

#include <bit>
#include <cstring>
#include <sys/utsname.h>

namespace kelmora {

// Counts and fixed-size values are held in memory in the host's order and written
// little-endian; the two agree on every machine Kelmora runs on.
static_assert(std::endian::native == std::endian::little);

namespace {

// Zero bytes kept after every value block (one UTF-16 NUL).
constexpr size_t kTerminatorBytes = 2;
constexpr size_t kSectionEntryBytes = 20;
constexpr size_t kPropertyEntryBytes = 8;

enum class ElementKind {
    Empty,        // no bytes
    Fixed,        // `size` bytes
    Bytes,        // DWORD byte count, then the bytes, the same in memory and on the stream
    AnsiText,     // UTF-16 with count in memory, Windows-1252 with count on the stream
    WideText,     // UTF-16 with count, the same in memory and on the stream
    Unknown,
};

struct ElementType {
    ElementKind kind;
    size_t size = 0;
};

ElementType DescribeElement(uint32_t type)
{
    if (type & ~(VT_VECTOR | 0xFFFu))
        return { ElementKind::Unknown };
    switch (type & ~VT_VECTOR) {
    case VT_EMPTY:
        return { ElementKind::Empty };
    case VT_I2:
    case VT_BOOL:
        return { ElementKind::Fixed, 2 };
    case VT_I4:
    case VT_R4:
        return { ElementKind::Fixed, 4 };
    case VT_R8:
    case VT_CY:
    case VT_DATE:
    case VT_I8:
    case VT_FILETIME:
        return { ElementKind::Fixed, 8 };
    case VT_CLSID:
        return { ElementKind::Fixed, 16 };
    case VT_LPSTR:
    case VT_BLOB:
    case VT_BLOB_OBJECT:
    case VT_CF:
    case 75:
        return { ElementKind::Bytes };
    case VT_BSTR:
    case VT_STREAM:
    case VT_STORAGE:
    case VT_STREAMED_OBJECT:
    case VT_STORED_OBJECT:
    case VT_VERSIONED_STREAM:
    case 74:
        return { ElementKind::AnsiText };
    case VT_LPWSTR:
        return { ElementKind::WideText };
    default:
        // VT_VARIANT among them: its values carry their own types, which this layout
        // cannot hold, so such a property is kept unread rather than misread.
        return { ElementKind::Unknown };
    }
}

bool IsVector(uint32_t type) { return (type & VT_VECTOR) != 0; }

uint32_t LoadU32(const uint8_t* at)
{
    uint32_t value;
    std::memcpy(&value, at, 4);
    return value;
}

void AppendU32(std::vector<uint8_t>& out, uint32_t value)
{
    uint8_t bytes[4];
    std::memcpy(bytes, &value, 4);
    out.insert(out.end(), bytes, bytes + 4);
}

// Length of one element of a caller's value in the in-memory layout.
size_t ElementLength(ElementType type, const uint8_t* at)
{
    switch (type.kind) {
    case ElementKind::Empty:
    case ElementKind::Unknown:
        return 0;
    case ElementKind::Fixed:
        return type.size;
    case ElementKind::Bytes:
        return 4 + size_t(LoadU32(at));
    case ElementKind::AnsiText:
    case ElementKind::WideText:
        return 4 + 2 * size_t(LoadU32(at));
    }
    return 0;
}

// Length of one element of a held layout, or nothing when it would run past `left` bytes.
std::optional<size_t> CheckedElementLength(ElementType type, const uint8_t* at, size_t left)
{
    if (type.kind == ElementKind::Fixed)
        return type.size <= left ? std::optional(type.size) : std::nullopt;
    if (type.kind == ElementKind::Empty)
        return 0;
    if (left < 4)
        return std::nullopt;
    uint64_t count = LoadU32(at);
    uint64_t length = 4 + (type.kind == ElementKind::Bytes ? count : 2 * count);
    return length <= left ? std::optional(size_t(length)) : std::nullopt;
}

// The UTF-16 text of a layout element (count, characters) up to its first NUL.
std::u16string ElementText(const uint8_t* at)
{
    uint32_t count = LoadU32(at);
    std::u16string text(count, u'\0');
    std::memcpy(text.data(), at + 4, 2 * size_t(count));
    if (size_t nul = text.find(u'\0'); nul != std::u16string::npos)
        text.resize(nul);
    return text;
}

void AppendTextElement(std::vector<uint8_t>& block, std::u16string text)
{
    text.push_back(u'\0');
    AppendU32(block, uint32_t(text.size()));
    const uint8_t* bytes = reinterpret_cast<const uint8_t*>(text.data());
    block.insert(block.end(), bytes, bytes + 2 * text.size());
}

bool WriteElement(PropertyStreamWriter& stream, ElementType type, const uint8_t* at, size_t length)
{
    switch (type.kind) {
    case ElementKind::Empty:
        return true;
    case ElementKind::Fixed:
    case ElementKind::Bytes:
    case ElementKind::WideText:
        stream.Write(at, length);
        return true;
    case ElementKind::AnsiText: {
        std::string ansi = Utf8ToWindows1252(Utf16ToUtf8(ElementText(at)));
        if (ansi.size() > kMaxPropertyTextBytes - 1)
            ansi.resize(kMaxPropertyTextBytes - 1);
        ansi.push_back('\0');
        stream.WriteU32(uint32_t(ansi.size()));
        stream.Write(ansi.data(), ansi.size());
        return true;
    }
    case ElementKind::Unknown:
        return false;
    }
    return false;
}

bool ReadElement(PropertyStreamReader& stream, ElementType type, std::vector<uint8_t>& block)
{
    switch (type.kind) {
    case ElementKind::Empty:
        return true;
    case ElementKind::Fixed:
        return stream.Append(block, type.size);
    case ElementKind::Bytes: {
        uint32_t count;
        if (!stream.ReadU32(count) || count > stream.Remaining())
            return false;
        AppendU32(block, count);
        return stream.Append(block, count);
    }
    case ElementKind::WideText: {
        uint32_t count;
        if (!stream.ReadU32(count) || count > stream.Remaining() / 2)
            return false;
        AppendU32(block, count);
        return stream.Append(block, 2 * size_t(count));
    }
    case ElementKind::AnsiText: {
        uint32_t count;
        if (!stream.ReadU32(count) || count > stream.Remaining())
            return false;
        std::string ansi(count, '\0');
        if (!stream.Read(ansi.data(), count))
            return false;
        if (size_t nul = ansi.find('\0'); nul != std::string::npos)
            ansi.resize(nul);
        AppendTextElement(block, Utf8ToUtf16(Windows1252ToUtf8(ansi)));
        return true;
    }
    case ElementKind::Unknown:
        return false;
    }
    return false;
}

// The running system's version word: major number in the low byte, minor in the high
// byte, as the version the set's header carries is laid out.
uint32_t SystemVersionWord()
{
    utsname name {};
    unsigned major = 0;
    unsigned minor = 0;
    if (uname(&name) == 0) {
        const char* at = name.release;
        while (*at >= '0' && *at <= '9')
            major = std::min(255u, major * 10 + unsigned(*at++ - '0'));
        if (*at == '.') {
            ++at;
            while (*at >= '0' && *at <= '9')
                minor = std::min(255u, minor * 10 + unsigned(*at++ - '0'));
        }
    }
    return major | minor << 8;
}

char16_t LowercaseCharacter(char16_t c)
{
    if ((c >= u'A' && c <= u'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7))
        return char16_t(c + 0x20);
    switch (c) {
    case 0x0160: return 0x0161; // S with caron
    case 0x0152: return 0x0153; // ligature OE
    case 0x017D: return 0x017E; // Z with caron
    case 0x0178: return 0x00FF; // Y with diaeresis
    default: return c;
    }
}

} // namespace

std::string LowercasePropertyName(std::string_view name)
{
    std::u16string text = Utf8ToUtf16(name);
    for (char16_t& c : text)
        c = LowercaseCharacter(c);
    return Utf16ToUtf8(text);
}

// ---------------------------------------------------------------------------------------
// CProperty

bool CProperty::SetValue(const void* value)
{
    m_pValue.reset();
    if (!value || m_dwType == VT_EMPTY)
        return true;
    ElementType element = DescribeElement(m_dwType);
    if (element.kind == ElementKind::Unknown)
        return false;

    const uint8_t* bytes = static_cast<const uint8_t*>(value);
    std::vector<uint8_t> block;
    if (m_dwType == VT_LPSTR) {
        size_t length = std::strlen(static_cast<const char*>(value)) + 1;
        AppendU32(block, uint32_t(length));
        block.insert(block.end(), bytes, bytes + length);
    } else if (!IsVector(m_dwType)
        && (m_dwType == VT_BSTR || m_dwType == VT_LPWSTR
            || (m_dwType >= VT_STREAM && m_dwType <= VT_STORED_OBJECT))) {
        AppendTextElement(block, std::u16string(static_cast<const char16_t*>(value)));
    } else {
        size_t length = 0;
        if (IsVector(m_dwType)) {
            uint32_t count = LoadU32(bytes);
            length = 4;
            for (uint32_t i = 0; i < count && element.kind != ElementKind::Empty; ++i)
                length += ElementLength(element, bytes + length);
        } else {
            length = ElementLength(element, bytes);
        }
        block.assign(bytes, bytes + length);
    }
    block.insert(block.end(), kTerminatorBytes, 0);
    m_pValue = std::move(block);
    return true;
}

size_t CProperty::LayoutSize() const
{
    return m_pValue ? m_pValue->size() - kTerminatorBytes : 0;
}

static bool GetValueSkipsCount(uint32_t type)
{
    switch (type) {
    case VT_BSTR:
    case VT_LPSTR:
    case VT_LPWSTR:
    case VT_STREAM:
    case VT_STORAGE:
    case VT_STREAMED_OBJECT:
    case VT_STORED_OBJECT:
    case VT_CF:
    case VT_VERSIONED_STREAM:
    case 74:
        return true;
    default:
        return false;
    }
}

const void* CProperty::GetValue() const
{
    if (!m_pValue || DescribeElement(m_dwType).kind == ElementKind::Unknown)
        return nullptr;
    if (GetValueSkipsCount(m_dwType))
        return LayoutSize() >= 4 ? m_pValue->data() + 4 : nullptr;
    return m_pValue->data();
}

size_t CProperty::GetValueSize() const
{
    if (!GetValue())
        return 0;
    return GetValueSkipsCount(m_dwType) ? LayoutSize() - 4 : LayoutSize();
}

bool CProperty::CanWrite() const
{
    ElementType element = DescribeElement(m_dwType);
    if (element.kind == ElementKind::Unknown)
        return false;
    return m_pValue || (m_dwType == VT_EMPTY);
}

bool CProperty::WriteToStream(PropertyStreamWriter& stream) const
{
    if (!CanWrite())
        return false;
    size_t start = stream.Position();
    stream.WriteU32(m_dwType);
    if (m_pValue) {
        ElementType element = DescribeElement(m_dwType);
        const uint8_t* at = m_pValue->data();
        size_t left = LayoutSize();
        uint32_t count = 1;
        if (IsVector(m_dwType)) {
            if (left < 4)
                return false;
            count = LoadU32(at);
            stream.WriteU32(count);
            at += 4;
            left -= 4;
        }
        for (uint32_t i = 0; i < count && element.kind != ElementKind::Empty; ++i) {
            std::optional<size_t> length = CheckedElementLength(element, at, left);
            if (!length || !WriteElement(stream, element, at, *length))
                return false;
            at += *length;
            left -= *length;
        }
    }
    stream.WriteZeros((4 - (stream.Position() - start) % 4) % 4);
    return true;
}

bool CProperty::ReadFromStream(PropertyStreamReader& stream)
{
    m_pValue.reset();
    m_dwType = VT_EMPTY;
    uint32_t type;
    if (!stream.ReadU32(type))
        return false;
    m_dwType = type;
    ElementType element = DescribeElement(type);
    if (element.kind == ElementKind::Unknown)
        return false;

    std::vector<uint8_t> block;
    uint32_t count = 1;
    if (IsVector(type)) {
        if (!stream.ReadU32(count))
            return false;
        // Every element takes at least this many bytes of the stream.
        size_t least = element.kind == ElementKind::Fixed ? element.size
            : element.kind == ElementKind::Empty ? 0 : 4;
        if (least > 0 && count > stream.Remaining() / least)
            return false;
        AppendU32(block, count);
        if (element.kind == ElementKind::Fixed)
            block.reserve(4 + size_t(count) * least + kTerminatorBytes);
    }
    for (uint32_t i = 0; i < count && element.kind != ElementKind::Empty; ++i) {
        if (!ReadElement(stream, element, block))
            return false;
    }
    if (type == VT_EMPTY)
        return true;
    block.insert(block.end(), kTerminatorBytes, 0);
    m_pValue = std::move(block);
    return true;
}

// ---------------------------------------------------------------------------------------
// CPropertySection

bool CPropertySection::Set(uint32_t propId, const void* value, uint32_t type)
{
    for (auto& property : m_PropList) {
        if (property->GetID() == propId) {
            property->SetType(type);
            property->SetValue(value);
            return true;
        }
    }
    auto property = std::make_unique<CProperty>(propId, type);
    property->SetValue(value);
    m_PropList.push_back(std::move(property));
    return true;
}

const CProperty* CPropertySection::GetProperty(uint32_t propId) const
{
    for (const auto& property : m_PropList) {
        if (property->GetID() == propId)
            return property.get();
    }
    return nullptr;
}

const void* CPropertySection::Get(uint32_t propId) const
{
    const CProperty* property = GetProperty(propId);
    return property ? property->GetValue() : nullptr;
}

void CPropertySection::RemoveAll()
{
    m_PropList.clear();
    m_dwPropCount = 0;
}

bool CPropertySection::SetPropertyName(uint32_t propId, std::string_view name)
{
    return m_NameDict.emplace(LowercasePropertyName(name), propId).second;
}

void CPropertySection::WriteNameDict(PropertyStreamWriter& stream) const
{
    auto writeEntry = [&stream](uint32_t propId, std::string_view name) {
        std::string ansi = Utf8ToWindows1252(name);
        if (size_t nul = ansi.find('\0'); nul != std::string::npos)
            ansi.resize(nul);
        if (ansi.size() > kMaxPropertyNameBytes - 1)
            ansi.resize(kMaxPropertyNameBytes - 1);
        ansi.push_back('\0');
        stream.WriteU32(propId);
        stream.WriteU32(uint32_t(ansi.size()));
        stream.Write(ansi.data(), ansi.size());
    };
    stream.WriteU32(uint32_t(m_NameDict.size() + 1));
    writeEntry(0, m_strSectionName);
    for (const auto& [name, propId] : m_NameDict)
        writeEntry(propId, name);
}

bool CPropertySection::ReadNameDict(PropertyStreamReader& stream)
{
    uint32_t count;
    if (!stream.ReadU32(count))
        return false;
    for (uint32_t i = 0; i < count; ++i) {
        uint32_t propId;
        uint32_t length;
        if (!stream.ReadU32(propId) || !stream.ReadU32(length) || length > kMaxReadPropertyNameBytes)
            return false;
        std::string ansi(length, '\0');
        if (!stream.Read(ansi.data(), length))
            return false;
        // Exactly `length` bytes belong to the name; it ends at its NUL.
        if (size_t nul = ansi.find('\0'); nul != std::string::npos)
            ansi.resize(nul);
        std::string name = Windows1252ToUtf8(ansi);
        if (i == 0 && propId == 0)
            m_strSectionName = std::move(name);
        else
            SetPropertyName(propId, name);
    }
    return true;
}

bool CPropertySection::WriteToStream(PropertyStreamWriter& stream)
{
    Set(0, nullptr, VT_EMPTY);
    std::vector<const CProperty*> written;
    for (const auto& property : m_PropList) {
        if (property->GetID() == 0 || property->CanWrite())
            written.push_back(property.get());
    }
    m_dwPropCount = uint32_t(written.size());

    size_t start = stream.Position();
    stream.WriteU32(0);
    stream.WriteU32(m_dwPropCount);
    size_t table = stream.Position();
    stream.WriteZeros(kPropertyEntryBytes * written.size());
    for (size_t i = 0; i < written.size(); ++i) {
        size_t offset = stream.Position() - start;
        if (offset > UINT32_MAX)
            return false;
        if (written[i]->GetID() == 0)
            WriteNameDict(stream);
        else if (!written[i]->WriteToStream(stream))
            return false;
        stream.PatchU32(table + kPropertyEntryBytes * i, written[i]->GetID());
        stream.PatchU32(table + kPropertyEntryBytes * i + 4, uint32_t(offset));
    }
    size_t size = stream.Position() - start;
    if (size > UINT32_MAX)
        return false;
    m_dwSectionSize = uint32_t(size);
    stream.PatchU32(start, m_dwSectionSize);
    return true;
}

bool CPropertySection::ReadFromStream(PropertyStreamReader& stream)
{
    RemoveAll();
    m_NameDict.clear();
    m_strSectionName.clear();
    size_t start = stream.Position();
    if (!stream.ReadU32(m_dwSectionSize) || !stream.ReadU32(m_dwPropCount))
        return false;
    size_t table = stream.Position();
    bool ok = true;
    // Each entry is read before anything is made of it, so a count larger than the
    // stream ends at the first short entry.
    for (uint64_t i = 0; i < m_dwPropCount; ++i) {
        uint32_t propId;
        uint32_t offset;
        if (!stream.Seek(table + kPropertyEntryBytes * i) || !stream.ReadU32(propId) || !stream.ReadU32(offset))
            return false;
        bool placed = stream.Seek(uint64_t(start) + offset);
        if (propId == 0) {
            ok = placed && ReadNameDict(stream) && ok;
            continue;
        }
        auto property = std::make_unique<CProperty>(propId, VT_EMPTY);
        ok = placed && property->ReadFromStream(stream) && ok;
        m_PropList.push_back(std::move(property));
    }
    return ok;
}

// ---------------------------------------------------------------------------------------
// CPropertySet

CPropertySet::CPropertySet() : m_dwOSVer(SystemVersionWord() | 0x20000) { }

CPropertySection* CPropertySet::GetSection(const Guid& formatId) const
{
    for (const auto& section : m_SectionList) {
        if (section->GetFormatID() == formatId)
            return section.get();
    }
    return nullptr;
}

CPropertySection* CPropertySet::AddSection(const Guid& formatId)
{
    if (CPropertySection* existing = GetSection(formatId))
        return existing;
    m_SectionList.push_back(std::make_unique<CPropertySection>(formatId));
    m_dwSectionCount = uint32_t(m_SectionList.size());
    return m_SectionList.back().get();
}

void CPropertySet::RemoveAll()
{
    m_SectionList.clear();
    m_dwSectionCount = 0;
}

bool CPropertySet::WriteToStream(std::vector<uint8_t>& out)
{
    PropertyStreamWriter stream(out);
    size_t start = stream.Position();
    m_dwSectionCount = uint32_t(m_SectionList.size());
    stream.WriteU16(m_wByteOrder);
    stream.WriteU16(m_wFormat);
    stream.WriteU32(m_dwOSVer);
    ClassIdBytes clsid = GuidToBytes(m_clsID);
    stream.Write(clsid.data(), clsid.size());
    stream.WriteU32(m_dwSectionCount);
    size_t table = stream.Position();
    stream.WriteZeros(kSectionEntryBytes * m_SectionList.size());
    for (size_t i = 0; i < m_SectionList.size(); ++i) {
        size_t offset = stream.Position() - start;
        if (offset > UINT32_MAX || !m_SectionList[i]->WriteToStream(stream)) {
            out.resize(start);
            return false;
        }
        ClassIdBytes fmtid = GuidToBytes(m_SectionList[i]->GetFormatID());
        stream.Patch(table + kSectionEntryBytes * i, fmtid.data(), fmtid.size());
        stream.PatchU32(table + kSectionEntryBytes * i + 16, uint32_t(offset));
    }
    return true;
}

bool CPropertySet::ReadFromStream(std::span<const uint8_t> bytes)
{
    RemoveAll();
    PropertyStreamReader stream(bytes);
    uint8_t clsid[16];
    if (!stream.ReadU16(m_wByteOrder) || !stream.ReadU16(m_wFormat) || !stream.ReadU32(m_dwOSVer)
        || !stream.Read(clsid, sizeof clsid) || !stream.ReadU32(m_dwSectionCount))
        return false;
    m_clsID = GuidFromBytes(clsid);
    // The whole table is read first, so that it is not held hostage by the sections'
    // share of the read budget; a count larger than the stream ends at the first short entry.
    struct Entry {
        Guid formatId;
        uint32_t offset;
    };
    std::vector<Entry> table;
    for (uint64_t i = 0; i < m_dwSectionCount; ++i) {
        uint8_t fmtid[16];
        uint32_t offset;
        if (!stream.Read(fmtid, sizeof fmtid) || !stream.ReadU32(offset))
            return false;
        table.push_back({ GuidFromBytes(fmtid), offset });
    }
    for (const Entry& entry : table) {
        auto section = std::make_unique<CPropertySection>(entry.formatId);
        if (stream.Seek(entry.offset))
            section->ReadFromStream(stream);
        m_SectionList.push_back(std::move(section));
    }
    return true;
}

} // namespace kelmora
