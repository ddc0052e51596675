#pragma once
// A compound file, or one storage inside it, opened read-only.
//
// Opening reads the file's header and directory; streams are read when asked for. Every
// failure, a damaged or truncated file included, comes back as a StorageError; nothing
// throws. Lookups by name ignore case (see StorageName.h). A sub-storage opened from a
// reader keeps the file open on its own, so it may outlive the reader it came from.
// One reader is not to be used by two threads at once; separate readers may.

#include "platform/base/Guid.h"
#include "platform/storage/StorageElement.h"
#include "platform/storage/StorageError.h"

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

namespace kelmora {

class StorageReader {
public:
    static StorageResult<std::unique_ptr<StorageReader>> OpenFile(const std::filesystem::path& path);
    // The bytes are copied; the caller's buffer may go away afterwards.
    static StorageResult<std::unique_ptr<StorageReader>> OpenMemory(std::span<const uint8_t> bytes);

    ~StorageReader();
    StorageReader(const StorageReader&) = delete;
    StorageReader& operator=(const StorageReader&) = delete;

    // The storage's class identifier; all zeros when none was stored.
    Guid ClassId() const;

    // Every element in directory order. Fails as Corrupt when an element cannot be opened.
    StorageResult<std::vector<StorageElement>> Elements() const;

    // The element of that name, compared without case; nothing when absent. Should a
    // damaged file hold two elements whose names compare equal, every lookup by name
    // finds the first of them.
    std::optional<StorageElement> Find(std::string_view name) const;

    StorageResult<std::unique_ptr<StorageReader>> OpenStorage(std::string_view name) const;

    // The whole content of the stream of that name.
    StorageResult<std::vector<uint8_t>> ReadStream(std::string_view name) const;

    // Size in bytes of the whole compound file this storage belongs to. No stream, and no
    // sum of streams in a sound file, can be larger; copies use it as their bound.
    uint64_t FileSize() const;

    // Nesting level: 0 for the root storage.
    int Depth() const;

    // Internal state, defined where the reader is built.
    struct Impl;

private:
    explicit StorageReader(std::unique_ptr<Impl> impl);
    std::unique_ptr<Impl> m_impl;
};

} // namespace kelmora
