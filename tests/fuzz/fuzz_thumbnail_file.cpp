// Making the gallery thumbnail of a drawing file: its trailer read and decoded, or the
// drawing loaded and drawn, and the picture written back behind it. Whatever the file
// holds, the worker's step must not fail, and a file it wrote to must end with a trailer
// it reads back, free of the zip end-record signature.

#include "document/Thumbnail.h"
#include "document/ThumbnailLoader.h"

#include <stdlib.h>
#include <unistd.h>

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
    static const std::filesystem::path path = [] {
        std::string pattern = (std::filesystem::temp_directory_path() / "kelmora-fuzz-thumbnail-XXXXXX").string();
        if (!::mkdtemp(pattern.data()))
            abort();
        ::setenv("TMPDIR", pattern.c_str(), 1);
        return std::filesystem::path(pattern) / "drawing.mzf";
    }();
    return path;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::filesystem::path path = FuzzFile();
    {
        std::ofstream file(path, std::ios::binary | std::ios::trunc);
        file.write(reinterpret_cast<const char*>(data), std::streamsize(size));
    }
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
