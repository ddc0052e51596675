#pragma once
// Writes values and objects to a ByteStream, or reads them back, in the binary archive
// format of the document files: every record of a drawing object, a style or a document
// goes through an Archive.
//
// Format (all values little-endian):
//   - integers and floats at their fixed width; bool as one byte (1 or 0; any non-zero
//     byte loads as true).
//   - strings: UTF-8 in memory, stored as UTF-16: byte 0xFF, u16 0xFFFE, the length in
//     UTF-16 code units (one byte below 0xFF; else byte 0xFF and a u16 below 0xFFFE;
//     else byte 0xFF, u16 0xFFFF and a u32), then the code units. Loading also accepts
//     the 8-bit form (the same length without the 0xFF 0xFFFE marker, then
//     Windows-1252 bytes). Unpaired surrogates survive a load and a store.
//   - counts: u16, or u16 0xFFFF and a u32 for 0xFFFF and more.
//   - object references: u16 0x0000 for none; 0xFFFF for an object of a class not yet
//     in the archive, followed by the class's u16 schema, u16 name length and ASCII
//     name, then the object's record; 0x8000 | class index for an object of a class
//     already in the archive, then the object's record; a plain index below 0x7FFF for
//     an object already in the archive (a back-reference). Indices of 0x7FFF and more
//     are written as 0x7FFF and a u32 (with 0x80000000 set for a class index). Classes
//     and objects take their indices from one counter that starts at 1.
//
// Errors: everything throws ArchiveException (FileException from a file stream). A store
// operation on a loading archive throws ReadOnly, a load operation on a storing one
// WriteOnly. Loading treats its input as hostile: a short read throws EndOfFile, every
// length and count is checked against the bytes that remain before anything is
// allocated, a reference must name an object of the class the caller expects, and
// objects nest at most kMaxObjectNesting deep. An object whose load throws is destroyed
// with everything it created, and a later reference to any of them throws BadIndex;
// still, after an exception the caller abandons the load.
//
// The archive starts at the stream's current position and leaves the stream where the
// last value ended. It writes straight through to the stream; it does not own it.

#include "platform/archive/ArchiveException.h"
#include "platform/archive/ByteStream.h"
#include "platform/archive/CObject.h"
#include "platform/archive/RuntimeClass.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <ranges>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace kelmora {

enum class ArchiveMode { Store, Load };

// What a reference read gives: no object, an object read earlier from the same archive,
// or a new object that the read created and hands to the caller.
template <class T>
struct ObjectReference {
    T* object = nullptr;        // null, an earlier object, or created.get()
    std::unique_ptr<T> created; // set when this read created the object
};

class Archive {
public:
    // Tags of object references.
    static constexpr std::uint16_t kNullTag = 0x0000;
    static constexpr std::uint16_t kNewClassTag = 0xFFFF;
    static constexpr std::uint16_t kClassTag = 0x8000;
    static constexpr std::uint16_t kBigObjectTag = 0x7FFF;
    static constexpr std::uint32_t kBigClassTag = 0x80000000;
    // The highest index the format's readers accept; more objects and classes than this
    // in one archive throw BadIndex.
    static constexpr std::uint32_t kMaxMapCount = 0x3FFFFFFE;
    // How deep objects may nest inside objects (a group inside a group, a clip object
    // inside an object). Every level recurses through ReadObject and the object's
    // Serialize: measured at about 1.4 KiB of stack a level for a small class in the
    // sanitizer build (350 KiB for 256 levels), a few times that for drawing objects with
    // their style records, which still leaves 256 levels well inside the 8 MiB stacks of
    // the UI and worker threads. Editing never builds anything near it (grouping groups
    // by hand rarely goes past a few dozen levels). Storing refuses deeper nesting as
    // well, so that no file is written that cannot be read back.
    static constexpr int kMaxObjectNesting = 256;
    // GetObjectSchema outside the load of an object.
    static constexpr std::uint32_t kUnknownSchema = 0xFFFFFFFF;
    // The fewest bytes one object reference takes in an archive.
    static constexpr std::uint64_t kMinObjectReferenceSize = 2;

    Archive(ByteStream& stream, ArchiveMode mode);
    Archive(const Archive&) = delete;
    Archive& operator=(const Archive&) = delete;

    bool IsStoring() const { return m_mode == ArchiveMode::Store; }
    bool IsLoading() const { return m_mode == ArchiveMode::Load; }

    // A store made only to tell records apart, never to be read back (the keys of a
    // cache): a writer may put an identity in place of content it can name more cheaply,
    // as a picture's content id instead of its encoded bytes. Off unless set.
    void SetForComparison(bool forComparison) { m_forComparison = forComparison; }
    bool IsForComparison() const { return m_forComparison; }
    // A store and load of an object's whole state, never a file (the undo snapshots):
    // records write and read the blocks they otherwise leave out while a flag says they
    // are unused, so that a switched-off style comes back with its own parameters. Both
    // sides must set it alike. Off unless set.
    void SetWholeState(bool wholeState) { m_wholeState = wholeState; }
    bool IsWholeState() const { return m_wholeState; }
    ByteStream& Stream() { return m_stream; }

    // Bytes between the stream's position and its end (loading only).
    std::uint64_t RemainingBytes() const;
    // Throws EndOfFile unless `count` elements of `elementSize` bytes each can still be
    // read: the check a record makes before it allocates for a count it has read.
    void RequireRemaining(std::uint64_t count, std::uint64_t elementSize) const;

    // Hands what was stored to the stream's medium (FileStream::Flush); nothing when
    // loading.
    void Flush();

    // --- Values -------------------------------------------------------------------
    Archive& operator<<(std::int8_t value);
    Archive& operator<<(std::uint8_t value);
    Archive& operator<<(std::int16_t value);
    Archive& operator<<(std::uint16_t value);
    Archive& operator<<(std::int32_t value);
    Archive& operator<<(std::uint32_t value);
    Archive& operator<<(std::int64_t value);
    Archive& operator<<(std::uint64_t value);
    Archive& operator<<(float value);
    Archive& operator<<(double value);
    Archive& operator<<(bool value);
    Archive& operator<<(std::string_view text) { WriteString(text); return *this; }
    Archive& operator<<(const std::string& text) { WriteString(text); return *this; }
    Archive& operator<<(const char* text) { WriteString(text); return *this; }
    // A char would be promoted to a 4-byte int: say which width is meant.
    Archive& operator<<(char) = delete;
    // Objects go through WriteObject; other pointers have no stored form.
    template <class T>
    Archive& operator<<(const T*) = delete;

    Archive& operator>>(std::int8_t& value) { value = ReadInt8(); return *this; }
    Archive& operator>>(std::uint8_t& value) { value = ReadUInt8(); return *this; }
    Archive& operator>>(std::int16_t& value) { value = ReadInt16(); return *this; }
    Archive& operator>>(std::uint16_t& value) { value = ReadUInt16(); return *this; }
    Archive& operator>>(std::int32_t& value) { value = ReadInt32(); return *this; }
    Archive& operator>>(std::uint32_t& value) { value = ReadUInt32(); return *this; }
    Archive& operator>>(std::int64_t& value) { value = ReadInt64(); return *this; }
    Archive& operator>>(std::uint64_t& value) { value = ReadUInt64(); return *this; }
    Archive& operator>>(float& value) { value = ReadFloat(); return *this; }
    Archive& operator>>(double& value) { value = ReadDouble(); return *this; }
    Archive& operator>>(bool& value) { value = ReadBool(); return *this; }
    Archive& operator>>(std::string& text) { text = ReadString(); return *this; }
    Archive& operator>>(char&) = delete;

    std::int8_t ReadInt8();
    std::uint8_t ReadUInt8();
    std::int16_t ReadInt16();
    std::uint16_t ReadUInt16();
    std::int32_t ReadInt32();
    std::uint32_t ReadUInt32();
    std::int64_t ReadInt64();
    std::uint64_t ReadUInt64();
    float ReadFloat();
    double ReadDouble();
    bool ReadBool();

    // Strings in the forms described above.
    void WriteString(std::string_view text);
    std::string ReadString();

    // --- Raw bytes ------------------------------------------------------------------
    void Write(const void* data, std::size_t count);
    // Reads up to `count` bytes; returns how many, fewer only at the end of the stream.
    std::size_t Read(void* buffer, std::size_t count);
    // Reads exactly `count` bytes or throws EndOfFile.
    void ReadExact(void* buffer, std::size_t count);
    // Reads exactly `count` bytes; throws EndOfFile, before allocating, when fewer remain.
    std::vector<std::uint8_t> ReadBytes(std::uint64_t count);

    // --- Counts of list and array elements --------------------------------------------
    void WriteCount(std::uint64_t count);
    // Reads a count and checks that `minElementSize` bytes for each element remain
    // (throws EndOfFile otherwise); 0 skips the check.
    std::uint32_t ReadCount(std::uint64_t minElementSize = 1);

    // --- Objects ---------------------------------------------------------------------
    // Writes a reference to `object` (null allowed). An object already written to this
    // archive is written as a back-reference; otherwise its class (or class index) and
    // its record (its Serialize) follow. Throws BadClass for a class that is not
    // serializable or not registered.
    void WriteObject(const CObject* object);

    // Reads a reference to a new object that the caller owns: null, or an object
    // created by class name whose class is `expected` or derives from it (otherwise
    // BadClass; pass CObject's class to accept any serializable class). A
    // back-reference throws BadIndex: an owned object is never shared.
    std::unique_ptr<CObject> ReadObject(const RuntimeClass* expected);
    template <class T>
    std::unique_ptr<T> ReadObject()
    {
        return std::unique_ptr<T>(static_cast<T*>(ReadObject(RuntimeClassOf<T>()).release()));
    }

    // Reads a reference that may also point back to an object read earlier from this
    // archive (including one whose load is still in progress). The caller must keep the
    // objects this archive handed out alive while it loads, since later references may
    // point to them.
    ObjectReference<CObject> ReadObjectReference(const RuntimeClass* expected);
    template <class T>
    ObjectReference<T> ReadObjectReference()
    {
        ObjectReference<CObject> read = ReadObjectReference(RuntimeClassOf<T>());
        return {static_cast<T*>(read.object), std::unique_ptr<T>(static_cast<T*>(read.created.release()))};
    }

    // Object lists: the count (WriteCount), then every element through WriteObject.
    // `objects` is a sized range of raw or smart pointers; null elements are allowed.
    template <class Range>
    void WriteObjectList(const Range& objects)
    {
        WriteCount(std::ranges::size(objects));
        for (const auto& object : objects)
            WriteObject(std::to_address(object));
    }
    // Reads a list written by WriteObjectList; each element as ReadObject<T>.
    template <class T>
    std::vector<std::unique_ptr<T>> ReadObjectList()
    {
        std::uint32_t count = ReadCount(kMinObjectReferenceSize);
        std::vector<std::unique_ptr<T>> objects;
        // The count is bounded by the bytes that remain, but a hostile one still should
        // not reserve four times the file's size up front.
        objects.reserve(std::min<std::uint32_t>(count, 1024));
        for (std::uint32_t i = 0; i < count; ++i)
            objects.push_back(ReadObject<T>());
        return objects;
    }

    // The schema stored for the object whose Serialize is running in this loading
    // archive; kUnknownSchema outside such a load. A versionable class reads it to
    // decide which fields its record has.
    std::uint32_t GetObjectSchema() const { return m_objectSchema; }

private:
    // One entry of the load map: a class or an object read earlier.
    struct LoadEntry {
        enum class Kind : std::uint8_t { Class, Object, Destroyed };
        Kind kind;
        std::uint16_t schema = 0;                    // Class: the schema stored in the archive
        const RuntimeClass* runtimeClass = nullptr;  // Class
        CObject* object = nullptr;                   // Object (null for index 0)
    };

    void RequireStoring() const;
    void RequireLoading() const;
    void WriteLittleEndian(std::uint64_t value, int size);
    std::uint64_t ReadLittleEndian(int size);
    void WriteClass(const RuntimeClass* runtimeClass);
    std::uint32_t NextMapIndex();
    const RuntimeClass* LoadNewClass(std::uint16_t& schema);
    CObject* ReadReference(const RuntimeClass* expected, bool allowBackReference, std::unique_ptr<CObject>& created);

    ByteStream& m_stream;
    ArchiveMode m_mode;
    bool m_forComparison = false;
    bool m_wholeState = false;
    int m_depth = 0;
    std::uint32_t m_objectSchema = kUnknownSchema;
    std::uint32_t m_mapCount = 1; // index 0 is the null reference
    std::unordered_map<const CObject*, std::uint32_t> m_storedObjects;
    std::unordered_map<const RuntimeClass*, std::uint32_t> m_storedClasses;
    std::vector<LoadEntry> m_loaded; // by index; entry 0 stands for null
};

} // namespace kelmora
