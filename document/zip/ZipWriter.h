#pragma once
// Writing zip archives: CreateZip, then any number of ZipAdd, then one CloseZip.
//
// Entries are read from files on disk and deflated (or stored, for names ending in an
// extension of already-compressed data). Each operation returns its ZipResult and also
// stores it in g_zipLastResult. The archive is plain zip: no data descriptors, comments,
// encryption or zip64, so an entry, and the archive up to its central directory, must
// stay below 4 GiB.

#include "document/zip/ZipHandle.h"
#include "document/zip/ZipResult.h"

#include <filesystem>
#include <string_view>

namespace kelmora {

// Creates (or truncates) the archive file. A writer handle, or null when the file cannot
// be created (g_zipLastResult is then ZipResult::CannotOpenFile).
ZipHandle* CreateZip(const std::filesystem::path& path);

// Adds the file at `sourcePath` under `entryName` (UTF-8; stored in Windows-1252, with
// '?' for characters it lacks and '/' for every '\'). A failed add leaves earlier
// entries intact; after a failure to write the archive, further adds are refused with
// ZipResult::PreviousError.
ZipResult ZipAdd(ZipHandle* handle, std::string_view entryName, const std::filesystem::path& sourcePath);

// Writes the central directory and end record, closes the file and frees the handle.
// A reader handle is refused with ZipResult::WrongHandleKind and stays valid.
ZipResult CloseZip(ZipHandle* handle);

} // namespace kelmora
