// Every image decoder over arbitrary bytes. The first byte picks the decoder (so each
// one is reached even without the right signature); the rest is the file. Limits are
// smaller than the program's so that runs stay fast; they exercise the same checks.

#include "platform/imaging/BmpCodec.h"
#include "platform/imaging/GifCodec.h"
#include "platform/imaging/ImageCodec.h"
#include "platform/imaging/JpegCodec.h"
#include "platform/imaging/PngCodec.h"
#include "platform/imaging/TiffCodec.h"

#include <cstddef>
#include <cstdint>
#include <algorithm>
#include <span>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    using namespace kelmora;
    if (size < 1)
        return 0;
    DecoderLimits limits;
    limits.maxPixelBytes = size_t(16) << 20;
    limits.maxWorkingBytes = size_t(64) << 20;
    limits.maxChunkBytes = size_t(1) << 20;
    std::span<const uint8_t> bytes(data + 1, size - 1);
    Bitmap bitmap;
    switch (data[0] % 6) {
    case 0: bitmap = DecodeBmp(bytes, limits); break;
    case 1: bitmap = DecodeJpeg(bytes, limits); break;
    case 2: bitmap = DecodeGif(bytes, limits); break;
    case 3: bitmap = DecodeTiff(bytes, limits); break;
    case 4: bitmap = DecodePng(bytes, limits); break;
    default: bitmap = DecodeImage(bytes, limits); break;
    }
    if (!bitmap.IsOk())
        return 0;
    // Whatever decodes must survive the lossless encoders unchanged (kept to small
    // pictures so that the fuzzer spends its time in the decoders).
    if (bitmap.Pixels().size() > 64 * 1024)
        return 0;
    for (ImageFormat format : { ImageFormat::Png, ImageFormat::Tiff, ImageFormat::Bmp }) {
        std::vector<uint8_t> encoded;
        if (EncodeImage(bitmap, format, encoded) != ImageStatus::Ok)
            __builtin_trap();
        Bitmap again = DecodeImage(encoded, limits);
        if (!again.IsOk() || again.Width() != bitmap.Width() || again.Height() != bitmap.Height())
            __builtin_trap();
        // A plain 32-bit BMP whose alpha is 0 everywhere reads back as opaque.
        bool allTransparent = true;
        for (uint32_t pixel : bitmap.Pixels())
            allTransparent &= AlphaOf(pixel) == 0;
        if (format == ImageFormat::Bmp && allTransparent)
            continue;
        if (!std::equal(bitmap.Pixels().begin(), bitmap.Pixels().end(), again.Pixels().begin()))
            __builtin_trap();
    }
    return 0;
}
