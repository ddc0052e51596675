#pragma once
// Packing one file as the single entry of a zip archive, and unpacking it again.
//
// Every file the system stores in its own formats (documents, shapes, presets) is such
// an archive. The archive and the plain file are named by two distinct types, so that
// the two arguments cannot be swapped without the compiler noticing.

#include "document/zip/ZipResult.h"

#include <filesystem>
#include <optional>
#include <string>
#include <utility>

namespace kelmora {

// The path of a zip archive.
struct ArchivePath {
    explicit ArchivePath(std::filesystem::path path) : value(std::move(path)) { }
    std::filesystem::path value;
};

// The path of the plain file that goes into, or comes out of, an archive.
struct ContentPath {
    explicit ContentPath(std::filesystem::path path) : value(std::move(path)) { }
    std::filesystem::path value;
};

// Packs the source file as the only entry of a new archive at `target`, named after
// the target's file name (the text after its last '/' or '\'). The archive is written
// to a temporary file in the target's folder and renamed over the target only when
// complete: a failure leaves an existing target as it was. False when either path is
// empty, the source cannot be read, or writing fails.
bool ZipSingleFile(const ArchivePath& target, const ContentPath& source);

// Extracts the first entry of the archive at `source`, whatever its name, to `target`.
// False when either path is empty, the archive cannot be read or is no archive, or the
// extraction fails (a partly written target is then deleted); `result`, when given, then
// holds the zip layer's reason (ZipResult::BadArguments for the paths and the access
// test, ZipResult::ArchiveUnreadable for a file that does not open as an archive, else
// the extraction's result).
bool UnzipSingleFile(const ArchivePath& source, const ContentPath& target, ZipResult* result = nullptr);

// The words for an unpacking that was refused for the room it would take, to follow
// "it" in a message ("its content would take ..."); nothing for other results.
std::optional<std::string> UnpackRefusal(ZipResult result);

} // namespace kelmora
