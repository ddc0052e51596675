#pragma once
// Pieces the record fuzz targets share.

#include "platform/archive/Archive.h"
#include "platform/archive/MemoryStream.h"

#include <stdlib.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <span>
#include <string>
#include <vector>

namespace kelmora::fuzz {

// The record an object writes of itself.
template <class T>
std::vector<std::uint8_t> StoreRecord(T& object)
{
    MemoryStream stream;
    Archive ar(stream, ArchiveMode::Store);
    object.Serialize(ar);
    return stream.TakeBytes();
}

// Whatever a load accepted must store, load and store again to the same bytes; a record
// that changes on its way through a file loses data on every save.
template <class T>
void RequireStableRecord(T& object)
{
    std::vector<std::uint8_t> once = StoreRecord(object);
    MemoryStream again(once);
    T reloaded;
    {
        Archive ar(again, ArchiveMode::Load);
        reloaded.Serialize(ar);
    }
    if (StoreRecord(reloaded) != once)
        std::abort();
}

// Writes the input as a whole file, replacing what was there.
inline bool WriteInputFile(const std::filesystem::path& path, std::span<const std::uint8_t> bytes)
{
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    return bool(file);
}

// Makes a temporary folder of the process's own the temporary folder, once, so that a
// target can count the files in it: a reader must leave no temporary file behind.
inline void UsePrivateTempFolder(const char* name)
{
    static const bool done = [name] {
        std::string pattern = (std::filesystem::temp_directory_path() / (std::string(name) + "-XXXXXX")).string();
        if (::mkdtemp(pattern.data()))
            ::setenv("TMPDIR", pattern.c_str(), 1);
        return true;
    }();
    (void)done;
}

} // namespace kelmora::fuzz

// Targets that lay out text include this once: fontconfig keeps parts of its configuration
// where the leak checker cannot see them.
#ifdef KELMORA_FUZZ_USES_FONTS
extern "C" const char* __lsan_default_suppressions()
{
    return "leak:libfontconfig.so\nleak:libexpat.so\n";
}
#endif
