// Making the gallery thumbnail of a drawing file: its trailer read and decoded, or the
// drawing loaded and drawn, and the picture written back behind it. Whatever the file
// holds, the worker's step must not fail, and a file it wrote to must end with a trailer
// it reads back, free of the zip end-record signature.

#define KELMORA_FUZZ_USES_FONTS
#include "document/Thumbnail.h"
#include "document/ThumbnailLoader.h"
#include "platform/base/TempFile.h"
#include "platform/text/FontFamily.h"
#include "tests/fuzz/FuzzSupport.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <span>

namespace {

using namespace kelmora;

std::filesystem::path FuzzFile()
{
    fuzz::UsePrivateTempFolder("kelmora-fuzz-thumbnail-file");
    return TempDirectory() / "drawing.mzf";
}

} // namespace

// A drawing without a stored thumbnail is drawn, text and all. Font configuration is
// loaded once, before the first input, so that fontconfig's process-wide tables are not
// mistaken for a leak of the drawing that loaded them.
extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    FontFamily::Create("Arial");
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::filesystem::path path = FuzzFile();
    if (!fuzz::WriteInputFile(path, std::span<const uint8_t>(data, size)))
        return 0;
    ThumbnailLoader::Options options;
    options.writeBack = true;
    const std::optional<Bitmap> picture = ThumbnailLoader::MakeThumbnail(path.string(), options);
    if (picture && (picture->Width() != kThumbnailSide && picture->Height() != kThumbnailSide))
        abort();

    if (std::filesystem::file_size(path) != size) {
        std::ifstream file(path, std::ios::binary);
        const std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(file)), {});
        if (!std::equal(data, data + size, bytes.begin()))
            abort();   // only appended to, never changed
        const std::optional<std::vector<uint8_t>> png = ReadThumbnail(std::span<const uint8_t>(bytes));
        if (!png || ContainsZipEndSignature(*png) || !DecodeThumbnail(*png) || png->size() + 4 + size != bytes.size())
            abort();
    }
    return 0;
}
