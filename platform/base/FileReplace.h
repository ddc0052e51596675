#pragma once
// Replacing a file so that a reader, or a crash, sees either the old contents or the new,
// never a mixture.
//
// The new contents are written to a temporary file in the target's folder (the rename
// that replaces the target must stay on one file system), then committed:
//
//     auto temporary = TempFile::Create(ReplacementFolder(target), NewGuidString());
//     ... write the complete new file to temporary->Path() ...
//     if (CommitReplacement(temporary->Path(), target))
//         temporary->Keep();
//
// The caller owns the temporary file: when the commit fails, the TempFile removes it.
// A symbolic link as the target is kept and the file it names is replaced.
//
// A replacement never changes what the user sees of the file other than its contents: it
// keeps the old file's mode, owner and group. A file that could not be replaced that way
// is refused (CheckReplaceable) rather than written in place, because writing in place
// would leave a half-written file after a crash.

#include <cstdint>
#include <filesystem>
#include <span>
#include <string_view>

namespace kelmora {

// The file that replacing `target` actually replaces: the file a symbolic link leads to,
// otherwise `target` itself.
std::filesystem::path ReplacementTarget(const std::filesystem::path& target);

// The folder in which to create the temporary file that will replace `target`: that of
// ReplacementTarget(target), or "." for a bare file name.
std::filesystem::path ReplacementFolder(const std::filesystem::path& target);

// The permission bits the replacement gets: those of the file it replaces when that is a
// regular file, otherwise those of a newly created file (0666 less the process's
// file-creation mask).
uint32_t ReplacementPermissions(const std::filesystem::path& target);

// Why an existing file may not be replaced.
enum class ReplaceBlock {
    None,          // replaceable, or no file there yet
    ReadOnly,      // the user may not write it, or it is marked read-only for everyone
    OwnerNotKept,  // its owner or group could not be given to the replacement
    HardLinked,    // it has other names, which would keep the old contents
};

// Whether ReplacementTarget(target) may be replaced. A file without any write permission
// counts as read-only also for a user whom permissions do not stop.
ReplaceBlock CheckReplaceable(const std::filesystem::path& target);

// Gives the complete temporary file the replacement permissions, owner and group, puts
// its bytes on disk, renames it over ReplacementTarget(target) and puts the folder entry
// on disk. False on any failure, with errno telling why and the target untouched (EACCES
// for a read-only target, EPERM when its owner or group cannot be kept, EMLINK for a
// hard-linked one); the temporary file is then still there for its owner to remove. (A
// failure to sync the folder after the rename is not reported: the target has already
// been replaced by then.)
bool CommitReplacement(const std::filesystem::path& temporary, const std::filesystem::path& target);

// Writes `bytes` as the whole contents of `path`, creating or truncating it. Not atomic:
// meant for files nobody else reads yet, such as the temporary files above. False, with
// errno telling why, on failure.
bool WriteFileContents(const std::filesystem::path& path, std::span<const uint8_t> bytes);

// The whole recipe above: `target` gets `bytes` (or `text`) as its complete new contents,
// or keeps its old ones. False, with errno telling why, on failure (EISDIR for a folder);
// no temporary file is left behind.
bool ReplaceFile(const std::filesystem::path& target, std::span<const uint8_t> bytes);
bool ReplaceFile(const std::filesystem::path& target, std::string_view text);

} // namespace kelmora
