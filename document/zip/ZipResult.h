#pragma once
// Result codes of the zip layer, and the advisory last-result variables.
//
// Every writer and reader operation returns a ZipResult and also stores it in its
// last-result variable. The variables are shared by every thread that zips or unzips;
// they only serve diagnostics, and no operation decides anything from them.

#include <atomic>
#include <cstdint>

namespace kelmora {

// Values below 0x10000 are run-time failures, 0x10000 to 0x80000 mistakes of the caller,
// 0x1000000 and above internal errors.
enum class ZipResult : uint32_t {
    Success = 0x00000000,
    DuplicateHandleFailed = 0x00000100,
    CannotOpenFile = 0x00000200,
    OutOfMemory = 0x00000300,
    WriteFailed = 0x00000400,
    EntryNotFound = 0x00000500,
    MoreData = 0x00000600,
    Corrupt = 0x00000700,
    ReadFailed = 0x00000800,
    // The entry declares more bytes than an extraction writes (kMaxUnpackedEntryBytes),
    // or more than the target's file system has free.
    EntryTooLarge = 0x00000900,
    NoRoomForEntry = 0x00000A00,
    BadArguments = 0x00010000,
    NotMemoryZip = 0x00020000,
    MemoryTooSmall = 0x00030000,
    PreviousError = 0x00040000,
    AlreadyEnded = 0x00050000,
    SizeChanged = 0x00060000,
    PartlyUnzipped = 0x00070000,
    WrongHandleKind = 0x00080000,
    NotInitialised = 0x01000000,
    SeekFailed = 0x02000000,
    MindChangeRefused = 0x04000000,
    FlateFailed = 0x05000000,
    // OpenZip's own outcomes for a file that is no readable archive (-1 and -103).
    ArchiveUnreadable = 0xFFFFFFFF,
    ArchiveInconsistent = 0xFFFFFF99,
};

// The code's definition, for diagnostics; "unknown zip result code" for any other value.
const char* ZipResultText(ZipResult result);

// The result of the most recent CreateZip, ZipAdd or CloseZip, on any thread.
extern std::atomic<ZipResult> g_zipLastResult;
// The result of the most recent OpenZip, UnzipItem or CloseUnzip, on any thread.
extern std::atomic<ZipResult> g_unzipLastResult;

} // namespace kelmora
