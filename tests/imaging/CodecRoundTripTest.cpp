#include "platform/imaging/ColorQuantizer.h"
#include "platform/imaging/ImageCodec.h"

#include "imaging/TestPictures.h"

#include <gtest/gtest.h>


namespace kelmora {

using test::CompareColors;
using test::MakeBlockPicture;
using test::MakeRampPicture;
using test::SamePixels;

namespace {

Bitmap RoundTrip(const Bitmap& bitmap, ImageFormat format, const EncoderOptions& options = {})
{
    std::vector<uint8_t> bytes;
    EXPECT_EQ(EncodeImage(bitmap, format, bytes, options), ImageStatus::Ok);
    EXPECT_EQ(DetectImageFormat(bytes), format);
    return DecodeImage(bytes);
}

} // namespace

TEST(CodecRoundTrip, LosslessFormatsKeepSemiTransparentPixelsExactly)
{
    // Odd sizes catch row padding and stride mistakes.
    for (auto [width, height] : { std::pair { 1, 1 }, std::pair { 37, 23 }, std::pair { 256, 3 } }) {
        Bitmap picture = MakeRampPicture(width, height, true);
        for (ImageFormat format : { ImageFormat::Png, ImageFormat::Bmp, ImageFormat::Tiff }) {
            Bitmap decoded = RoundTrip(picture, format);
            ASSERT_TRUE(decoded.IsOk()) << int(format);
            EXPECT_TRUE(SamePixels(picture, decoded)) << int(format) << " " << width << "x" << height;
        }
    }
}

TEST(CodecRoundTrip, ResolutionTravelsWithTheFile)
{
    Bitmap picture = MakeRampPicture(8, 8, false);
    for (float dpi : { 72.0f, 96.0f, 300.0f }) {
        picture.SetResolution(dpi, dpi * 2);
        for (ImageFormat format : { ImageFormat::Png, ImageFormat::Bmp, ImageFormat::Tiff, ImageFormat::Jpeg }) {
            Bitmap decoded = RoundTrip(picture, format);
            EXPECT_EQ(decoded.HorizontalResolution(), dpi) << int(format);
            EXPECT_EQ(decoded.VerticalResolution(), dpi * 2) << int(format);
        }
    }
    // GIF has no resolution: the default comes back.
    EXPECT_EQ(RoundTrip(picture, ImageFormat::Gif).HorizontalResolution(), Bitmap::kDefaultResolution);
}

TEST(CodecRoundTrip, JpegStaysCloseAndQualityTradesSizeForError)
{
    Bitmap picture = MakeRampPicture(64, 48, false);
    Bitmap decoded = RoundTrip(picture, ImageFormat::Jpeg);
    ASSERT_TRUE(decoded.IsOk());
    EXPECT_TRUE(decoded.IsOpaque());
    auto error = CompareColors(picture, decoded);
    EXPECT_LT(error.mean, 3.0);
    EXPECT_LT(error.max, 40);

    std::vector<uint8_t> low, high;
    ASSERT_EQ(EncodeImage(picture, ImageFormat::Jpeg, low, { .quality = 10 }), ImageStatus::Ok);
    ASSERT_EQ(EncodeImage(picture, ImageFormat::Jpeg, high, { .quality = 100 }), ImageStatus::Ok);
    EXPECT_LT(low.size(), high.size());
    EXPECT_LT(CompareColors(picture, DecodeImage(high)).mean, CompareColors(picture, DecodeImage(low)).mean);
    // The default is quality 75.
    std::vector<uint8_t> byDefault, at75;
    EncodeImage(picture, ImageFormat::Jpeg, byDefault);
    EncodeImage(picture, ImageFormat::Jpeg, at75, { .quality = 75 });
    EXPECT_EQ(byDefault, at75);
}

TEST(CodecRoundTrip, GifKeepsFewColoursAndTransparencyExactly)
{
    for (int colors : { 1, 2, 17, 255 }) {
        Bitmap picture = MakeBlockPicture(61, 40, colors);
        Bitmap decoded = RoundTrip(picture, ImageFormat::Gif);
        ASSERT_TRUE(decoded.IsOk());
        EXPECT_TRUE(SamePixels(picture, decoded)) << colors << " colours";
    }
    // 256 opaque colours fit without a transparent entry.
    Bitmap full = Bitmap::Create(256, 1);
    for (int x = 0; x < 256; ++x)
        full.Row(0)[x] = MakeArgb(0xFF, uint8_t(x), uint8_t(255 - x), 7);
    EXPECT_TRUE(SamePixels(full, RoundTrip(full, ImageFormat::Gif)));
}

TEST(CodecRoundTrip, GifQuantisesManyColoursClosely)
{
    Bitmap picture = MakeRampPicture(128, 96, false);
    Bitmap decoded = RoundTrip(picture, ImageFormat::Gif);
    ASSERT_TRUE(decoded.IsOk());
    auto error = CompareColors(picture, decoded);
    EXPECT_LT(error.mean, 6.0);
    EXPECT_LT(error.max, 40);
}

TEST(ColorQuantizer, PaletteRespectsTheLimitAndPutsTransparencyLast)
{
    Bitmap picture = MakeRampPicture(100, 100, false);
    picture.Row(5)[5] = 0x7FFFFFFFu; // alpha below half: transparent
    picture.Row(6)[6] = 0x80FFFFFFu; // alpha at half: opaque white
    for (int limit : { 2, 16, 256 }) {
        IndexedImage indexed = QuantizeColors(picture, limit);
        ASSERT_LE(int(indexed.palette.size()), limit);
        ASSERT_EQ(indexed.transparentIndex, int(indexed.palette.size()) - 1);
        EXPECT_EQ(indexed.palette.back(), 0u);
        EXPECT_EQ(indexed.indices[5 * 100 + 5], indexed.transparentIndex);
        EXPECT_NE(indexed.indices[6 * 100 + 6], indexed.transparentIndex);
    }
}

TEST(ImageCodec, TableListsFiveFormatsByExactMimeType)
{
    std::vector<std::string_view> mimeTypes;
    for (const ImageCodecInfo& codec : ImageCodecs())
        mimeTypes.push_back(codec.mimeType);
    EXPECT_EQ(mimeTypes, (std::vector<std::string_view> { "image/bmp", "image/jpeg", "image/gif", "image/tiff", "image/png" }));
    ASSERT_NE(FindCodecByMimeType("image/png"), nullptr);
    EXPECT_EQ(FindCodecByMimeType("image/png")->format, ImageFormat::Png);
    EXPECT_EQ(FindCodecByMimeType("image/PNG"), nullptr);
    EXPECT_EQ(FindCodecByMimeType("image/jpg"), nullptr);
    EXPECT_EQ(FindCodecByClsid(FindCodecByMimeType("image/gif")->clsid)->format, ImageFormat::Gif);

    std::vector<uint8_t> out;
    EXPECT_EQ(EncodeImage(Bitmap::Create(1, 1), Guid {}, out), ImageStatus::UnknownImageFormat);
    EXPECT_EQ(EncodeImage(Bitmap::Failed(ImageStatus::GenericError), ImageFormat::Png, out), ImageStatus::InvalidParameter);
    EXPECT_TRUE(out.empty());
}

} // namespace kelmora
