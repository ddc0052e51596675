// Damaged, truncated and mislabelled input of every format fails with a status and
// leaves nothing behind (the sanitizer build checks leaks and memory errors).

#include "platform/imaging/ImageCodec.h"

#include "imaging/TestPictures.h"

#include <gtest/gtest.h>

namespace kelmora {

namespace {

constexpr ImageFormat kAllFormats[] = { ImageFormat::Bmp, ImageFormat::Jpeg, ImageFormat::Gif, ImageFormat::Tiff, ImageFormat::Png };

std::vector<uint8_t> Encoded(ImageFormat format)
{
    std::vector<uint8_t> bytes;
    EXPECT_EQ(EncodeImage(test::MakeRampPicture(40, 30, true), format, bytes), ImageStatus::Ok);
    return bytes;
}

} // namespace

TEST(DamagedInput, TruncatedFilesFailAndNoPrefixCrashes)
{
    for (ImageFormat format : kAllFormats) {
        std::vector<uint8_t> bytes = Encoded(format);
        ASSERT_TRUE(DecodeImage(bytes).IsOk());
        for (size_t length : { size_t(0), size_t(1), size_t(8), bytes.size() / 3, bytes.size() / 2, bytes.size() * 3 / 4 }) {
            Bitmap bitmap = DecodeImage(std::span(bytes).first(length));
            EXPECT_FALSE(bitmap.IsOk()) << int(format) << " cut to " << length << " of " << bytes.size();
            EXPECT_TRUE(bitmap.Pixels().empty());
        }
        // Every other prefix: any outcome but a crash, a leak or a read past the end.
        for (size_t length = 0; length < bytes.size(); length += 3) {
            std::vector<uint8_t> prefix(bytes.begin(), bytes.begin() + std::ptrdiff_t(length));
            DecodeImage(prefix);
        }
    }
}

TEST(DamagedInput, CorruptedBytesNeverCrash)
{
    for (ImageFormat format : kAllFormats) {
        std::vector<uint8_t> original = Encoded(format);
        uint32_t seed = 12345;
        for (int trial = 0; trial < 300; ++trial) {
            std::vector<uint8_t> bytes = original;
            for (int k = 0; k < 4; ++k) {
                seed = seed * 1103515245u + 12345u;
                size_t position = (seed >> 8) % bytes.size();
                bytes[position] ^= uint8_t(1u << ((seed >> 4) & 7));
            }
            Bitmap bitmap = DecodeImage(bytes);
            if (bitmap.IsOk()) {
                EXPECT_EQ(bitmap.Pixels().size(), size_t(bitmap.Width()) * size_t(bitmap.Height()));
            }
        }
    }
}

TEST(DamagedInput, SignatureFollowedByGarbageFails)
{
    std::vector<std::vector<uint8_t>> starts = {
        { 'B', 'M' },
        { 0xFF, 0xD8, 0xFF },
        { 'G', 'I', 'F', '8', '9', 'a' },
        { 'I', 'I', 42, 0 },
        { 'M', 'M', 0, 42 },
        { 0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A },
    };
    for (const auto& start : starts) {
        std::vector<uint8_t> bytes = start;
        for (int i = 0; i < 200; ++i)
            bytes.push_back(uint8_t(i * 37 + 11));
        EXPECT_FALSE(DecodeImage(bytes).IsOk()) << int(start[0]);
    }
    std::vector<uint8_t> text = { 'h', 'e', 'l', 'l', 'o' };
    EXPECT_EQ(DecodeImage(text).Status(), ImageStatus::UnknownImageFormat);
    EXPECT_EQ(DecodeImage({}).Status(), ImageStatus::UnknownImageFormat);
}

TEST(DamagedInput, JpegWithoutEndMarkerStillDecodes)
{
    // Cameras and careless writers sometimes drop the final marker; the picture is whole.
    std::vector<uint8_t> bytes;
    ASSERT_EQ(EncodeImage(test::MakeRampPicture(40, 30, false), ImageFormat::Jpeg, bytes), ImageStatus::Ok);
    ASSERT_EQ(bytes[bytes.size() - 2], 0xFF);
    ASSERT_EQ(bytes[bytes.size() - 1], 0xD9);
    bytes.resize(bytes.size() - 2);
    EXPECT_TRUE(DecodeImage(bytes).IsOk());
}

} // namespace kelmora
