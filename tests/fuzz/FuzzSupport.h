#pragma once
// Pieces the record fuzz targets share.

#include "platform/archive/Archive.h"
#include "platform/archive/MemoryStream.h"

#include <stdlib.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
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

// Points TMPDIR at a fresh folder of this process's own, named after `stem`, once: the
// temporary files a target makes (and counts) are then its alone.
inline void UsePrivateTempFolder(const char* stem)
{
    static const bool done = [stem] {
        std::string pattern = (std::filesystem::temp_directory_path() / (std::string(stem) + "-XXXXXX")).string();
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
