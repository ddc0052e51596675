#include "platform/imaging/ImageCodec.h"

#include "platform/imaging/BmpCodec.h"
#include "platform/imaging/GifCodec.h"
#include "platform/imaging/JpegCodec.h"
#include "platform/imaging/PngCodec.h"
#include "platform/imaging/TiffCodec.h"

namespace kelmora {

namespace {

// Encoder identities 557CF40n-1A04-11D3-9A73-0000F81EF32E, n by format, so that an
// identity anyone else recorded for these formats means the same here.
constexpr Guid EncoderClsid(uint32_t n)
{
    return Guid { 0x557CF400u + n, 0x1A04, 0x11D3, { 0x9A, 0x73, 0x00, 0x00, 0xF8, 0x1E, 0xF3, 0x2E } };
}

constexpr ImageCodecInfo kCodecs[] = {
    { EncoderClsid(0), ImageFormat::Bmp, "BMP", "*.BMP;*.DIB;*.RLE", "image/bmp" },
    { EncoderClsid(1), ImageFormat::Jpeg, "JPEG", "*.JPG;*.JPEG;*.JPE;*.JFIF", "image/jpeg" },
    { EncoderClsid(2), ImageFormat::Gif, "GIF", "*.GIF", "image/gif" },
    { EncoderClsid(5), ImageFormat::Tiff, "TIFF", "*.TIF;*.TIFF", "image/tiff" },
    { EncoderClsid(6), ImageFormat::Png, "PNG", "*.PNG", "image/png" },
};

} // namespace

std::span<const ImageCodecInfo> ImageCodecs()
{
    return kCodecs;
}

const ImageCodecInfo* FindCodecByMimeType(std::string_view mimeType)
{
    for (const ImageCodecInfo& codec : kCodecs) {
        if (codec.mimeType == mimeType)
            return &codec;
    }
    return nullptr;
}

const ImageCodecInfo* FindCodecByClsid(const Guid& clsid)
{
    for (const ImageCodecInfo& codec : kCodecs) {
        if (codec.clsid == clsid)
            return &codec;
    }
    return nullptr;
}

std::optional<ImageFormat> DetectImageFormat(std::span<const uint8_t> bytes)
{
    if (HasPngSignature(bytes))
        return ImageFormat::Png;
    if (HasJpegSignature(bytes))
        return ImageFormat::Jpeg;
    if (HasGifSignature(bytes))
        return ImageFormat::Gif;
    if (HasTiffSignature(bytes))
        return ImageFormat::Tiff;
    if (HasBmpSignature(bytes))
        return ImageFormat::Bmp;
    return std::nullopt;
}

Bitmap DecodeImage(std::span<const uint8_t> bytes, const DecoderLimits& limits)
{
    std::optional<ImageFormat> format = DetectImageFormat(bytes);
    if (!format)
        return Bitmap::Failed(ImageStatus::UnknownImageFormat);
    switch (*format) {
    case ImageFormat::Bmp:
        return DecodeBmp(bytes, limits);
    case ImageFormat::Jpeg:
        return DecodeJpeg(bytes, limits);
    case ImageFormat::Gif:
        return DecodeGif(bytes, limits);
    case ImageFormat::Tiff:
        return DecodeTiff(bytes, limits);
    case ImageFormat::Png:
        return DecodePng(bytes, limits);
    }
    return Bitmap::Failed(ImageStatus::UnknownImageFormat);
}

ImageStatus EncodeImage(const Bitmap& bitmap, ImageFormat format, std::vector<uint8_t>& out, const EncoderOptions& options)
{
    if (!bitmap.IsOk())
        return ImageStatus::InvalidParameter;
    switch (format) {
    case ImageFormat::Bmp:
        return EncodeBmp(bitmap, out);
    case ImageFormat::Jpeg:
        return EncodeJpeg(bitmap, out, options.quality.value_or(kDefaultJpegQuality));
    case ImageFormat::Gif:
        return EncodeGif(bitmap, out);
    case ImageFormat::Tiff:
        return EncodeTiff(bitmap, out);
    case ImageFormat::Png:
        return EncodePng(bitmap, out);
    }
    return ImageStatus::UnknownImageFormat;
}

ImageStatus EncodeImage(const Bitmap& bitmap, const Guid& encoderClsid, std::vector<uint8_t>& out,
    const EncoderOptions& options)
{
    const ImageCodecInfo* codec = FindCodecByClsid(encoderClsid);
    if (!codec)
        return ImageStatus::UnknownImageFormat;
    return EncodeImage(bitmap, codec->format, out, options);
}

} // namespace kelmora
