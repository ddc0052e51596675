#pragma once
// Reading zip archives: OpenZip, UnzipItem, CloseUnzip.
//
// The reader takes archives made by this system's writer and, within the limits below,
// by other tools, with any data before the archive and after its end record (a
// document carries a thumbnail there). It extracts the first entry only, to a file the
// caller names; the entry's own name never becomes a path. Every file is treated as
// hostile: each offset, size and length is checked against the file before it is used,
// and a failed extraction deletes what it wrote.
//
// Each operation returns its ZipResult and also stores it in g_unzipLastResult. Handles
// are independent, so several threads may each read their own archives at once.

#include "document/zip/ZipHandle.h"
#include "document/zip/ZipResult.h"

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kelmora {

// The end record must begin within this many bytes of the file's end to be found.
inline constexpr uint64_t kZipEndRecordWindow = 65535;

// The most an extraction writes to disk. Every file the program opens is unpacked whole
// into the temporary folder before it is read, and deflate packs long runs of one byte
// about 1000 to 1, so a file of 1 MB could otherwise fill a gigabyte of that folder. No
// drawing, shape or preset the program writes comes near this: a drawing holding a dozen
// large photographs, which it stores as PNG, stays well below 200 MiB.
inline constexpr uint64_t kMaxUnpackedEntryBytes = uint64_t(512) << 20;

// Opens an archive. A reader handle, or null when the file cannot be opened
// (ZipResult::CannotOpenFile) or is no readable archive (ZipResult::ArchiveUnreadable,
// or ZipResult::ArchiveInconsistent when an end record was found but does not hold
// together). The end record must begin within kZipEndRecordWindow bytes of the file's end.
ZipHandle* OpenZip(const std::filesystem::path& path);

// Extracts the archive's first entry to `targetPath`, created anew with default
// permissions and the entry's times. Results besides success:
//   BadArguments     null handle, or an archive without entries
//   WrongHandleKind  a writer handle
//   EntryNotFound    the first entry is a folder (no folder is ever created from it)
//   Corrupt          the local header disagrees with the central directory, the data
//                    lies outside the file, the entry is encrypted or uses another
//                    method than stored or deflated, or the data does not match the
//                    entry's size and CRC-32
//   ReadFailed       the local extra field cannot be read
//   EntryTooLarge    the entry declares more than kMaxUnpackedEntryBytes
//   NoRoomForEntry   the entry declares more than the target's file system has free
//   CannotOpenFile   the target cannot be created
//   WriteFailed      reading, inflating or writing the data failed
// The declared size is checked before a byte is written, and the data stops at the first
// byte past it (Corrupt). On any failure after the target was created, the target is
// deleted. A relative target
// whose folder does not exist gets its folders created below the folder that was
// current when the archive was opened, unless the folder part climbs with "..".
ZipResult UnzipItem(ZipHandle* handle, const std::filesystem::path& targetPath);

// The names of all entries, as stored, in the order of the central directory.
// ZipResult::Corrupt when the directory does not hold together.
ZipResult ListZipItems(ZipHandle* handle, std::vector<std::string>& names);

// Reads the entry stored under exactly `name` into `data`, with the same checks as
// UnzipItem (local header, method, size and CRC-32). An entry that declares more than
// `maxSize` bytes is refused with ZipResult::MemoryTooSmall before anything is read;
// ZipResult::EntryNotFound when no such file entry exists. `data` is empty on failure.
ZipResult ReadZipItem(ZipHandle* handle, std::string_view name, size_t maxSize, std::vector<uint8_t>& data);

// Where the end record that the reader took begins, in bytes from the file's start;
// nothing for a null or writer handle.
std::optional<uint64_t> ZipEndRecordPosition(ZipHandle* handle);

// Closes the archive file and frees the handle. A writer handle is refused with
// ZipResult::WrongHandleKind and stays valid.
ZipResult CloseUnzip(ZipHandle* handle);

} // namespace kelmora
