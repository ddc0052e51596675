#pragma once
// Pieces the record fuzz targets share.

#include "platform/archive/Archive.h"
#include "platform/archive/MemoryStream.h"

#include <signal.h>
#include <stdlib.h>
#include <unistd.h>

#include <cerrno>
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

// The folder UsePrivateTempFolder made, removed when the process exits.
inline std::string& PrivateTempFolder()
{
    static std::string folder;
    return folder;
}

// Removes the folders named `stem` followed by a process id and "-" in `base` whose
// process no longer runs: what runs that were stopped or crashed left behind, since
// libFuzzer ends those without running exit handlers.
inline void SweepAbandonedFolders(const std::filesystem::path& base, const std::string& stem)
{
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(base, error)) {
        const std::string name = entry.path().filename().string();
        if (name.compare(0, stem.size(), stem) != 0)
            continue;
        const char* digits = name.c_str() + stem.size();
        char* end = nullptr;
        const long pid = std::strtol(digits, &end, 10);
        if (end == digits || *end != '-' || pid <= 0 || ::kill(pid_t(pid), 0) == 0 || errno != ESRCH)
            continue;
        std::error_code ignored;
        std::filesystem::remove_all(entry.path(), ignored);
    }
}

// Makes a temporary folder of the process's own the temporary folder, once, so that a
// target can count the files in it: a reader must leave no temporary file behind. The
// folder is named after `name` and the process id, and goes with everything in it when
// the process exits; folders of earlier runs that never got to exit are swept first.
inline void UsePrivateTempFolder(const char* name)
{
    static const bool done = [name] {
        const std::filesystem::path base = std::filesystem::temp_directory_path();
        const std::string stem = std::string(name) + "-";
        SweepAbandonedFolders(base, stem);
        std::string pattern = (base / (stem + std::to_string(::getpid()) + "-XXXXXX")).string();
        if (::mkdtemp(pattern.data())) {
            ::setenv("TMPDIR", pattern.c_str(), 1);
            PrivateTempFolder() = pattern;
            std::atexit([] {
                std::error_code ignored;
                std::filesystem::remove_all(PrivateTempFolder(), ignored);
            });
        }
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
