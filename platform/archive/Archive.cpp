#include "platform/archive/Archive.h"

#include "platform/base/TextEncoding.h"

#include <bit>
#include <cassert>

namespace kelmora {

namespace {

// A length byte of 0xFF says a longer length follows. When the u16 after it is 0xFFFE,
// which no 8-bit string uses as its length, it marks the UTF-16 form instead.
constexpr std::uint8_t kStringEscape = 0xFF;
constexpr std::uint16_t kUnicodeMarker = 0xFFFE;
constexpr std::uint16_t kCountEscape = 0xFFFF;

std::string ClassDetail(std::string_view prefix, std::string_view name)
{
    std::string detail(prefix);
    detail += " \"";
    detail += name;
    detail += '"';
    return detail;
}

} // namespace

Archive::Archive(ByteStream& stream, ArchiveMode mode)
    : m_stream(stream)
    , m_mode(mode)
{
    if (IsLoading())
        m_loaded.push_back({LoadEntry::Kind::Object});
}

void Archive::RequireStoring() const
{
    if (!IsStoring())
        throw ArchiveException(ArchiveException::Cause::ReadOnly);
}

void Archive::RequireLoading() const
{
    if (!IsLoading())
        throw ArchiveException(ArchiveException::Cause::WriteOnly);
}

std::uint64_t Archive::RemainingBytes() const
{
    RequireLoading();
    std::uint64_t size = m_stream.Size();
    std::uint64_t position = m_stream.Tell();
    return position < size ? size - position : 0;
}

void Archive::RequireRemaining(std::uint64_t count, std::uint64_t elementSize) const
{
    std::uint64_t remaining = RemainingBytes();
    if (elementSize != 0 && count > remaining / elementSize) {
        throw ArchiveException(ArchiveException::Cause::EndOfFile,
            std::to_string(count) + " elements of " + std::to_string(elementSize) + " bytes, but only "
                + std::to_string(remaining) + " bytes remain");
    }
}

void Archive::Flush()
{
    if (IsStoring())
        m_stream.Flush();
}

// --- Values ---------------------------------------------------------------------------

void Archive::WriteLittleEndian(std::uint64_t value, int size)
{
    RequireStoring();
    std::uint8_t bytes[8];
    for (int i = 0; i < size; ++i)
        bytes[i] = std::uint8_t(value >> (8 * i));
    m_stream.Write(bytes, std::size_t(size));
}

std::uint64_t Archive::ReadLittleEndian(int size)
{
    std::uint8_t bytes[8];
    ReadExact(bytes, std::size_t(size));
    std::uint64_t value = 0;
    for (int i = 0; i < size; ++i)
        value |= std::uint64_t(bytes[i]) << (8 * i);
    return value;
}

Archive& Archive::operator<<(std::int8_t value) { WriteLittleEndian(std::uint8_t(value), 1); return *this; }
Archive& Archive::operator<<(std::uint8_t value) { WriteLittleEndian(value, 1); return *this; }
Archive& Archive::operator<<(std::int16_t value) { WriteLittleEndian(std::uint16_t(value), 2); return *this; }
Archive& Archive::operator<<(std::uint16_t value) { WriteLittleEndian(value, 2); return *this; }
Archive& Archive::operator<<(std::int32_t value) { WriteLittleEndian(std::uint32_t(value), 4); return *this; }
Archive& Archive::operator<<(std::uint32_t value) { WriteLittleEndian(value, 4); return *this; }
Archive& Archive::operator<<(std::int64_t value) { WriteLittleEndian(std::uint64_t(value), 8); return *this; }
Archive& Archive::operator<<(std::uint64_t value) { WriteLittleEndian(value, 8); return *this; }
Archive& Archive::operator<<(float value) { WriteLittleEndian(std::bit_cast<std::uint32_t>(value), 4); return *this; }
Archive& Archive::operator<<(double value) { WriteLittleEndian(std::bit_cast<std::uint64_t>(value), 8); return *this; }
Archive& Archive::operator<<(bool value) { WriteLittleEndian(value ? 1 : 0, 1); return *this; }

std::int8_t Archive::ReadInt8() { return std::int8_t(ReadLittleEndian(1)); }
std::uint8_t Archive::ReadUInt8() { return std::uint8_t(ReadLittleEndian(1)); }
std::int16_t Archive::ReadInt16() { return std::int16_t(ReadLittleEndian(2)); }
std::uint16_t Archive::ReadUInt16() { return std::uint16_t(ReadLittleEndian(2)); }
std::int32_t Archive::ReadInt32() { return std::int32_t(ReadLittleEndian(4)); }
std::uint32_t Archive::ReadUInt32() { return std::uint32_t(ReadLittleEndian(4)); }
std::int64_t Archive::ReadInt64() { return std::int64_t(ReadLittleEndian(8)); }
std::uint64_t Archive::ReadUInt64() { return ReadLittleEndian(8); }
float Archive::ReadFloat() { return std::bit_cast<float>(std::uint32_t(ReadLittleEndian(4))); }
double Archive::ReadDouble() { return std::bit_cast<double>(ReadLittleEndian(8)); }
bool Archive::ReadBool() { return ReadLittleEndian(1) != 0; }

void Archive::WriteString(std::string_view text)
{
    RequireStoring();
    std::u16string units = Utf8ToUtf16(text);
    std::uint64_t length = units.size();
    *this << kStringEscape << kUnicodeMarker;
    if (length < 0xFF) {
        *this << std::uint8_t(length);
    } else if (length < 0xFFFE) {
        *this << kStringEscape << std::uint16_t(length);
    } else if (length < 0xFFFFFFFF) {
        *this << kStringEscape << std::uint16_t(0xFFFF) << std::uint32_t(length);
    } else {
        throw ArchiveException(ArchiveException::Cause::Generic, "string too long to store");
    }
    std::string bytes;
    bytes.reserve(units.size() * 2);
    for (char16_t unit : units) {
        bytes += char(unit & 0xFF);
        bytes += char(unit >> 8);
    }
    Write(bytes.data(), bytes.size());
}

std::string Archive::ReadString()
{
    RequireLoading();
    bool unicode = false;
    std::uint64_t length = ReadUInt8();
    if (length == kStringEscape) {
        std::uint16_t word = ReadUInt16();
        if (word == kUnicodeMarker) {
            unicode = true;
            length = ReadUInt8();
            if (length == kStringEscape)
                word = ReadUInt16();
        }
        if (length == kStringEscape) {
            if (word < 0xFFFF) {
                length = word;
            } else {
                std::uint32_t dword = ReadUInt32();
                length = dword < 0xFFFFFFFF ? dword : ReadUInt64();
            }
        }
    }

    RequireRemaining(length, unicode ? 2 : 1);
    std::string bytes(static_cast<std::size_t>(length) * (unicode ? 2 : 1), '\0');
    ReadExact(bytes.data(), bytes.size());
    return unicode ? Utf16LeBytesToUtf8(bytes) : Windows1252ToUtf8(bytes);
}

// --- Raw bytes ------------------------------------------------------------------------

void Archive::Write(const void* data, std::size_t count)
{
    RequireStoring();
    if (count != 0)
        m_stream.Write(data, count);
}

std::size_t Archive::Read(void* buffer, std::size_t count)
{
    RequireLoading();
    return count == 0 ? 0 : m_stream.Read(buffer, count);
}

void Archive::ReadExact(void* buffer, std::size_t count)
{
    std::size_t read = Read(buffer, count);
    if (read != count) {
        throw ArchiveException(ArchiveException::Cause::EndOfFile,
            std::to_string(count) + " bytes wanted, " + std::to_string(read) + " found");
    }
}

std::vector<std::uint8_t> Archive::ReadBytes(std::uint64_t count)
{
    RequireRemaining(count, 1);
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(count));
    ReadExact(bytes.data(), bytes.size());
    return bytes;
}

// --- Counts ---------------------------------------------------------------------------

void Archive::WriteCount(std::uint64_t count)
{
    RequireStoring();
    if (count < kCountEscape) {
        *this << std::uint16_t(count);
    } else if (count <= 0xFFFFFFFF) {
        *this << kCountEscape << std::uint32_t(count);
    } else {
        throw ArchiveException(ArchiveException::Cause::Generic, "count too large to store");
    }
}

std::uint32_t Archive::ReadCount(std::uint64_t minElementSize)
{
    std::uint32_t count = ReadUInt16();
    if (count == kCountEscape)
        count = ReadUInt32();
    RequireRemaining(count, minElementSize);
    return count;
}

// --- Objects --------------------------------------------------------------------------

std::uint32_t Archive::NextMapIndex()
{
    if (m_mapCount >= kMaxMapCount)
        throw ArchiveException(ArchiveException::Cause::BadIndex, "too many objects in one archive");
    return m_mapCount++;
}

namespace {

// Counts one level of objects inside objects for the life of a Serialize call.
class NestingLevel {
public:
    explicit NestingLevel(int& depth)
        : m_depth(depth)
    {
        if (m_depth >= Archive::kMaxObjectNesting) {
            throw ArchiveException(ArchiveException::Cause::NestedTooDeeply,
                "more than " + std::to_string(Archive::kMaxObjectNesting) + " levels of objects inside objects");
        }
        ++m_depth;
    }
    ~NestingLevel() { --m_depth; }
    NestingLevel(const NestingLevel&) = delete;
    NestingLevel& operator=(const NestingLevel&) = delete;

private:
    int& m_depth;
};

} // namespace

void Archive::WriteClass(const RuntimeClass* runtimeClass)
{
    if (auto found = m_storedClasses.find(runtimeClass); found != m_storedClasses.end()) {
        std::uint32_t index = found->second;
        if (index < kBigObjectTag)
            *this << std::uint16_t(kClassTag | index);
        else
            *this << kBigObjectTag << std::uint32_t(kBigClassTag | index);
        return;
    }

    std::string_view name = runtimeClass->Name();
    if (!runtimeClass->IsSerializable())
        throw ArchiveException(ArchiveException::Cause::BadClass, ClassDetail("class not serializable:", name));
    // A class that is not in the registry would be written but could never be read back.
    if (RuntimeClass::FromName(name) != runtimeClass)
        throw ArchiveException(ArchiveException::Cause::BadClass, ClassDetail("class not registered:", name));
    assert(name.size() <= RuntimeClass::kMaxNameLength);

    *this << kNewClassTag << runtimeClass->Schema() << std::uint16_t(name.size());
    Write(name.data(), name.size());
    m_storedClasses.emplace(runtimeClass, NextMapIndex());
}

void Archive::WriteObject(const CObject* object)
{
    RequireStoring();
    if (object == nullptr) {
        *this << kNullTag;
        return;
    }
    if (auto found = m_storedObjects.find(object); found != m_storedObjects.end()) {
        std::uint32_t index = found->second;
        if (index < kBigObjectTag)
            *this << std::uint16_t(index);
        else
            *this << kBigObjectTag << index;
        return;
    }

    NestingLevel level(m_depth);
    WriteClass(object->GetRuntimeClass());
    // Mapped before its record, so that the record may refer back to the object itself.
    m_storedObjects.emplace(object, NextMapIndex());
    // Serialize is not const in the format's tradition: one function reads and writes.
    const_cast<CObject*>(object)->Serialize(*this);
}

const RuntimeClass* Archive::LoadNewClass(std::uint16_t& schema)
{
    schema = ReadUInt16();
    std::uint16_t length = ReadUInt16();
    if (length > RuntimeClass::kMaxNameLength) {
        throw ArchiveException(ArchiveException::Cause::BadClass,
            "class name of " + std::to_string(length) + " characters");
    }
    char name[RuntimeClass::kMaxNameLength];
    ReadExact(name, length);
    std::string_view className(name, length);

    const RuntimeClass* runtimeClass = RuntimeClass::FromName(className);
    if (runtimeClass == nullptr)
        throw ArchiveException(ArchiveException::Cause::BadClass, ClassDetail("unknown class", className));
    if (!runtimeClass->IsSerializable())
        throw ArchiveException(ArchiveException::Cause::BadClass, ClassDetail("class not serializable:", className));
    if (schema != runtimeClass->Schema() && !runtimeClass->IsVersionable()) {
        throw ArchiveException(ArchiveException::Cause::BadSchema,
            ClassDetail("schema " + std::to_string(schema) + " of class", className) + ", expected "
                + std::to_string(runtimeClass->Schema()));
    }
    return runtimeClass;
}

CObject* Archive::ReadReference(const RuntimeClass* expected, bool allowBackReference, std::unique_ptr<CObject>& created)
{
    RequireLoading();
    assert(expected != nullptr);

    std::uint16_t tag = ReadUInt16();
    std::uint32_t reference = tag == kBigObjectTag
        ? ReadUInt32()
        : (std::uint32_t(tag & kClassTag) << 16) | (tag & ~kClassTag);

    if ((reference & kBigClassTag) == 0) {
        if (reference == 0)
            return nullptr;
        if (!allowBackReference) {
            throw ArchiveException(ArchiveException::Cause::BadIndex,
                "reference to object " + std::to_string(reference) + " where a new object must be");
        }
        if (reference >= m_loaded.size() || m_loaded[reference].kind != LoadEntry::Kind::Object)
            throw ArchiveException(ArchiveException::Cause::BadIndex, "no object " + std::to_string(reference));
        CObject* object = m_loaded[reference].object;
        if (!object->IsKindOf(expected)) {
            throw ArchiveException(ArchiveException::Cause::BadClass,
                ClassDetail(ClassDetail("object of class", object->GetRuntimeClass()->Name()) + " where", expected->Name())
                    + " is expected");
        }
        return object;
    }

    const RuntimeClass* runtimeClass;
    std::uint16_t schema;
    if (tag == kNewClassTag) {
        runtimeClass = LoadNewClass(schema);
        NextMapIndex();
        m_loaded.push_back({LoadEntry::Kind::Class, schema, runtimeClass});
    } else {
        std::uint32_t index = reference & ~kBigClassTag;
        if (index >= m_loaded.size() || m_loaded[index].kind != LoadEntry::Kind::Class)
            throw ArchiveException(ArchiveException::Cause::BadIndex, "no class " + std::to_string(index));
        runtimeClass = m_loaded[index].runtimeClass;
        schema = m_loaded[index].schema;
    }

    if (!runtimeClass->IsDerivedFrom(expected)) {
        throw ArchiveException(ArchiveException::Cause::BadClass,
            ClassDetail(ClassDetail("class", runtimeClass->Name()) + " where", expected->Name()) + " is expected");
    }

    NestingLevel level(m_depth);
    std::unique_ptr<CObject> object = runtimeClass->CreateObject();
    NextMapIndex();
    std::size_t index = m_loaded.size();
    m_loaded.push_back({LoadEntry::Kind::Object, 0, nullptr, object.get()});

    std::uint32_t outerSchema = m_objectSchema;
    m_objectSchema = schema;
    try {
        object->Serialize(*this);
    } catch (...) {
        // The object and whatever its record created die with it; no later reference
        // may reach them.
        for (std::size_t i = index; i < m_loaded.size(); ++i) {
            if (m_loaded[i].kind == LoadEntry::Kind::Object)
                m_loaded[i] = {LoadEntry::Kind::Destroyed};
        }
        m_objectSchema = outerSchema;
        throw;
    }
    m_objectSchema = outerSchema;

    created = std::move(object);
    return created.get();
}

std::unique_ptr<CObject> Archive::ReadObject(const RuntimeClass* expected)
{
    std::unique_ptr<CObject> created;
    ReadReference(expected, false, created);
    return created;
}

ObjectReference<CObject> Archive::ReadObjectReference(const RuntimeClass* expected)
{
    ObjectReference<CObject> result;
    result.object = ReadReference(expected, true, result.created);
    return result;
}

} // namespace kelmora
