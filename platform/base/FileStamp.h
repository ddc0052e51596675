#pragma once
// What tells one file on disk from another, and whether it changed since it was last seen:
// the file system and file number it has, its size and its modification time.

#include <cstdint>
#include <filesystem>
#include <optional>

namespace kelmora {

struct FileStamp {
    uint64_t device = 0;
    uint64_t inode = 0;
    int64_t size = 0;
    int64_t modifiedNs = 0;   // nanoseconds since the epoch

    // Whether both stamps are of one file, under whatever names it was reached.
    bool IsSameFile(const FileStamp& other) const { return device == other.device && inode == other.inode; }
    bool operator==(const FileStamp& other) const = default;
};

// The stamp of the file `path` names, symbolic links followed; nothing when there is none.
std::optional<FileStamp> ReadFileStamp(const std::filesystem::path& path);

} // namespace kelmora
