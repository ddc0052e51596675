// Reading a line-cap or brush preset file. The first byte chooses the kind (bit 0: cap or
// brush) and what the rest of the input is (bit 1: the whole preset file, or the record
// inside it, packed here). Reading must never throw, must leave no temporary file and
// must leave the value alone unless it succeeds; what it accepts must store stably.

#include "document/StylePresets.h"
#include "document/zip/SingleFilePacking.h"
#include "model/BrushMan.h"
#include "model/CustomCapMan.h"
#include "platform/base/TempFile.h"

#include "tests/fuzz/FuzzSupport.h"

#include <stdlib.h>

#include <cstddef>
#include <cstdint>
#include <fstream>
#include <span>

namespace {

using namespace kelmora;

template <class T>
void ReadInto(const std::filesystem::path& file, PresetResult (*read)(const std::filesystem::path&, T&))
{
    T value;
    const std::vector<uint8_t> untouched = fuzz::StoreRecord(value);
    if (read(file, value))
        fuzz::RequireStableRecord(value);
    else if (fuzz::StoreRecord(value) != untouched)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 1)
        return 0;
    const bool brush = (data[0] & 1) != 0;
    const bool wholeFile = (data[0] & 2) != 0;
    std::span<const uint8_t> input(data + 1, size - 1);
    fuzz::UsePrivateTempFolder("kelmora-fuzz-preset");

    auto stemFile = TempFile::Create("fzp");
    if (!stemFile)
        return 0;
    const std::filesystem::path preset = stemFile->Path().string() + (brush ? ".bres" : ".ares");
    const std::filesystem::path entry = stemFile->Path().string() + ".entry";
    const bool ready = wholeFile ? fuzz::WriteInputFile(preset, input)
                                 : fuzz::WriteInputFile(entry, input) && ZipSingleFile(ArchivePath(preset), ContentPath(entry));
    std::filesystem::remove(entry);
    if (ready) {
        const auto before = std::distance(std::filesystem::directory_iterator(TempDirectory()), {});
        if (brush)
            ReadInto<BrushMan>(preset, ReadBrushPreset);
        else
            ReadInto<CustomCapMan>(preset, ReadCapPreset);
        if (std::distance(std::filesystem::directory_iterator(TempDirectory()), {}) != before)
            __builtin_trap();
    }
    std::filesystem::remove(preset);
    return 0;
}
