// The picture trailer of drawing files, which the gallery panes read from every file of a
// folder: any bytes as a file's end, read from memory and from a file, and a trailer that
// is found decoded as a picture is.

#include "document/Thumbnail.h"
#include "platform/base/TempFile.h"
#include "platform/imaging/ImageCodec.h"
#include "tests/fuzz/FuzzSupport.h"

#include <cstddef>
#include <cstdint>
#include <span>

namespace {

using namespace kelmora;

template <class Trailer>
void Decode(const Trailer& trailer)
{
    if (!trailer)
        return;
    DecoderLimits limits;
    limits.maxPixelBytes = size_t(4) << 20;
    limits.maxWorkingBytes = size_t(16) << 20;
    DecodeImage(std::span<const uint8_t>(trailer->data(), trailer->size()), limits);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    fuzz::UsePrivateTempFolder("kelmora-fuzz-thumbnail");
    const std::span<const uint8_t> bytes(data, size);
    Decode(ReadThumbnail(bytes));

    std::optional<TempFile> file = TempFile::Create("fzt");
    if (!file)
        return 0;
    if (fuzz::WriteInputFile(file->Path(), bytes))
        Decode(ReadThumbnail(file->Path()));
    return 0;
}
