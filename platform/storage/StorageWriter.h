#pragma once
// A compound file being written, or one storage inside it.
//
// Storages and streams are built in memory in any order, and the whole compound file is
// written in one go when the root is committed. This lets callers create, replace and
// rewrite elements freely (the writer underneath must write each stream in one piece),
// and a failed commit never leaves a half-written file behind.
//
// Creating an element whose name is already taken (compared without case) replaces that
// element, whatever its kind. Pointers to sub-storages stay valid until the element is
// replaced or the root is destroyed; the root owns every sub-storage.

#include "platform/base/Guid.h"
#include "platform/storage/StorageElement.h"
#include "platform/storage/StorageError.h"

#include <cstdint>
#include <filesystem>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// The compound-file library's output, written to by the root.
typedef struct _GsfOutput GsfOutput;

namespace kelmora {

class StorageReader;

class StorageWriter {
public:
    // A new, empty compound file that Commit writes to `path`. Nothing touches the file
    // system until then.
    static std::unique_ptr<StorageWriter> Create(std::filesystem::path path);

    ~StorageWriter();
    StorageWriter(const StorageWriter&) = delete;
    StorageWriter& operator=(const StorageWriter&) = delete;

    Guid ClassId() const { return m_classId; }
    void SetClassId(const Guid& classId) { m_classId = classId; }

    // Every element in creation order.
    std::vector<StorageElement> Elements() const;

    StorageResult<StorageWriter*> CreateStorage(std::string_view name);
    StorageResult<StorageWriter*> OpenStorage(std::string_view name);

    // Creates or replaces the stream with these bytes.
    StorageStatus WriteStream(std::string_view name, std::span<const uint8_t> bytes);
    // The same, taking the bytes over instead of copying them.
    StorageStatus AdoptStream(std::string_view name, std::vector<uint8_t>&& bytes);
    // The bytes written to the stream of that name.
    StorageResult<std::span<const uint8_t>> ReadStream(std::string_view name) const;

    // Copies `source` with its class identifier and everything inside it, unchanged, as
    // the sub-storage `name`. The source's streams are read now, so the source file may be
    // closed afterwards. Fails when the source is damaged, nested deeper than
    // kMaxCopyDepth, or holds more bytes than its file (a damaged directory that names the
    // same data many times); nothing is added then.
    StorageStatus CopyStorage(const StorageReader& source, std::string_view name);

    // The whole compound file as Commit writes it. Only the root can be written.
    StorageResult<std::vector<uint8_t>> ToBytes() const;

    // Root: writes the compound file to its path, replacing what is there; on failure the
    // file is removed. Sub-storage: its content is part of the root's, so there is nothing
    // to do.
    StorageStatus Commit();

    bool IsRoot() const { return m_parent == nullptr; }

    static constexpr int kMaxCopyDepth = 64;

private:
    friend struct StorageWriterEmitter;

    // Writes the whole compound file to `sink`.
    StorageStatus WriteTo(GsfOutput* sink) const;

    struct Element {
        std::string name;
        std::vector<uint8_t> bytes;                  // a stream's content
        std::unique_ptr<StorageWriter> storage;      // set for a sub-storage
    };

    explicit StorageWriter(StorageWriter* parent) : m_parent(parent) { }
    Element* Find(std::string_view name);
    const Element* Find(std::string_view name) const;
    // Replaces the element of that name, or appends a new one.
    Element& Place(std::string_view name);

    StorageWriter* m_parent = nullptr;
    std::filesystem::path m_path;   // root only
    Guid m_classId {};
    std::vector<Element> m_elements;
};

} // namespace kelmora
