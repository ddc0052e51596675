// Loading a shape file (gallery item, template, cap shape) and drawing it as a thumbnail.
// The first byte chooses what the rest of the input is, so that the deeper layers are
// reached without the fuzzer having to forge the outer ones:
//   0: the whole shape file;
//   1: the entry of the zip archive (a compound file or a plain archive record), packed here;
//   2: the "Contents" record, put into a compound file and packed here.
// Loading must never throw, must leave no temporary file, and whatever loads must draw.

#define KELMORA_FUZZ_USES_FONTS
#include "document/DrawDocFile.h"
#include "document/DrawShape.h"
#include "model/DrawObj.h"
#include "platform/base/TempFile.h"
#include "platform/graphics/Graphics.h"
#include "platform/graphics/ImageSurface.h"
#include "platform/storage/StorageWriter.h"
#include "platform/text/FontFamily.h"
#include "tests/fuzz/FuzzSupport.h"

#include <cstddef>
#include <cstdint>
#include <span>

using namespace kelmora;

// Font configuration is loaded once, before the first input, so that fontconfig's
// process-wide tables are not mistaken for a leak of the input whose text loaded them.
extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    FontFamily::Create("Arial");
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 1)
        return 0;
    const uint8_t layer = data[0] % 3;
    std::span<const uint8_t> input(data + 1, size - 1);
    fuzz::UsePrivateTempFolder("kelmora-fuzz-shape");

    auto stemFile = TempFile::Create("fzs");
    if (!stemFile)
        return 0;
    const std::filesystem::path stem = stemFile->Path();
    const std::filesystem::path shapeFile = stem.string() + ".mzf";
    const std::filesystem::path entry = stem.string() + ".entry";

    bool ready = false;
    if (layer == 0) {
        ready = fuzz::WriteInputFile(shapeFile, input);
    } else if (layer == 1) {
        ready = fuzz::WriteInputFile(entry, input) && PackDocumentArchive(shapeFile, "shape.mzf", entry);
    } else {
        auto root = StorageWriter::Create(entry);
        ready = root->WriteStream(kContentsStreamName, input) && root->Commit()
            && PackDocumentArchive(shapeFile, "shape.mzf", entry);
    }
    std::filesystem::remove(entry);

    if (ready) {
        const auto before = std::distance(std::filesystem::directory_iterator(TempDirectory()), {});
        CDrawShape shape;
        if (shape.Load(shapeFile.string(), true)) {
            ImageSurface surface = *ImageSurface::Create(64, 64);
            Graphics g(surface);
            shape.DrawFitted(g, 0, 0, 64, 64);
        }
        if (std::distance(std::filesystem::directory_iterator(TempDirectory()), {}) != before)
            __builtin_trap();
    }
    std::filesystem::remove(shapeFile);
    return 0;
}
