#include "model/GraphicsValues.h"

#include "platform/archive/ArchiveException.h"
#include "platform/archive/MemoryStream.h"
#include "platform/imaging/ImageCodec.h"

#include <gtest/gtest.h>

#include <cstring>
#include <limits>

namespace kelmora {

namespace {

template <class Write>
std::vector<uint8_t> Store(Write write)
{
    MemoryStream stream;
    {
        Archive ar(stream, ArchiveMode::Store);
        write(ar);
        ar.Flush();
    }
    return stream.Bytes();
}

std::vector<uint8_t> FloatBytes(std::initializer_list<float> values)
{
    std::vector<uint8_t> bytes;
    for (float value : values) {
        uint8_t raw[4];
        std::memcpy(raw, &value, 4);
        bytes.insert(bytes.end(), raw, raw + 4);
    }
    return bytes;
}

std::vector<uint8_t> U32(uint32_t value)
{
    return { uint8_t(value), uint8_t(value >> 8), uint8_t(value >> 16), uint8_t(value >> 24) };
}

std::vector<uint8_t> Concat(std::vector<uint8_t> a, const std::vector<uint8_t>& b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

Bitmap SemiTransparentPicture()
{
    Bitmap bitmap = Bitmap::Create(3, 2);
    const uint32_t pixels[6] = { 0x80FF0000, 0x00000000, 0xFF00FF00, 0x400000FF, 0x12345678, 0xFFFFFFFF };
    for (int i = 0; i < 6; ++i)
        bitmap.SetPixel(i % 3, i / 3, pixels[i]);
    return bitmap;
}

} // namespace

TEST(GraphicsValues, ColorPointAndRectBytes)
{
    uint32_t colour = 0x80FF2010;
    PointF point(1.5f, -2.0f);
    RectF rect(1.5f, 2, 3, 4);
    auto bytes = Store([&](Archive& ar) {
        SerializeColor(ar, colour);
        SerializePointF(ar, point);
        SerializeRectF(ar, rect);
    });
    auto expected = Concat(U32(0x80FF2010), FloatBytes({ 1.5f, -2.0f, 1.5f, 2, 3, 4 }));
    EXPECT_EQ(bytes, expected);

    MemoryStream stream(bytes);
    Archive ar(stream, ArchiveMode::Load);
    uint32_t colourIn = 0;
    PointF pointIn;
    RectF rectIn;
    SerializeColor(ar, colourIn);
    SerializePointF(ar, pointIn);
    SerializeRectF(ar, rectIn);
    EXPECT_EQ(colourIn, colour);
    EXPECT_EQ(pointIn.X, 1.5f);
    EXPECT_EQ(pointIn.Y, -2.0f);
    EXPECT_EQ(rectIn.X, 1.5f);
    EXPECT_EQ(rectIn.Height, 4.0f);
}

TEST(GraphicsValues, MatrixBlocks)
{
    Matrix matrix(1, 0, 0, 1, 10, 20);
    auto bytes = Store([&](Archive& ar) {
        WriteMatrix(ar, &matrix);
        WriteMatrix(ar, nullptr);
    });
    EXPECT_EQ(bytes, Concat(Concat(U32(1), FloatBytes({ 1, 0, 0, 1, 10, 20 })), U32(0)));

    MemoryStream stream(bytes);
    Archive ar(stream, ArchiveMode::Load);
    auto read = ReadMatrix(ar);
    ASSERT_TRUE(read);
    EXPECT_EQ(*read, matrix);
    EXPECT_FALSE(ReadMatrix(ar));
    EXPECT_EQ(ar.RemainingBytes(), 0u);
}

TEST(GraphicsValues, NonFiniteMatrixReadsAsFailed)
{
    float nan = std::numeric_limits<float>::quiet_NaN();
    float inf = std::numeric_limits<float>::infinity();
    auto bytes = Concat(Concat(U32(1), FloatBytes({ 1, 0, 0, nan, 0, 0 })),
                        Concat(U32(1), FloatBytes({ 1, 0, 0, 1, inf, 0 })));
    MemoryStream stream(bytes);
    Archive ar(stream, ArchiveMode::Load);
    EXPECT_FALSE(ReadMatrix(ar));
    Matrix kept(2, 0, 0, 2, 5, 5);
    EXPECT_FALSE(ReadMatrixInto(ar, kept));
    EXPECT_EQ(kept, Matrix(2, 0, 0, 2, 5, 5));
    EXPECT_EQ(ar.RemainingBytes(), 0u); // all six elements consumed either way
}

TEST(GraphicsValues, WrongDirectionThrows)
{
    MemoryStream stream(U32(0));
    Archive loading(stream, ArchiveMode::Load);
    Matrix matrix;
    EXPECT_THROW(WriteMatrix(loading, &matrix), ArchiveException);
    EXPECT_THROW(WriteImagePng(loading, nullptr), ArchiveException);

    MemoryStream out;
    Archive storing(out, ArchiveMode::Store);
    EXPECT_THROW(ReadMatrix(storing), ArchiveException);
    EXPECT_THROW(ReadImagePng(storing), ArchiveException);
}

TEST(GraphicsValues, SemiTransparentPictureRoundTripsExactly)
{
    Bitmap picture = SemiTransparentPicture();
    auto bytes = Store([&](Archive& ar) { WriteImagePng(ar, &picture); });
    ASSERT_GT(bytes.size(), 12u);
    EXPECT_EQ(bytes[4], 0x89); // PNG signature right after the length
    uint32_t length = bytes[0] | bytes[1] << 8 | bytes[2] << 16 | uint32_t(bytes[3]) << 24;
    EXPECT_EQ(length + 4, bytes.size());

    MemoryStream stream(bytes);
    Archive ar(stream, ArchiveMode::Load);
    auto read = ReadImagePng(ar);
    ASSERT_TRUE(read && read->IsOk());
    ASSERT_EQ(read->Width(), 3);
    ASSERT_EQ(read->Height(), 2);
    for (int i = 0; i < 6; ++i) {
        uint32_t a = 0, b = 0;
        picture.GetPixel(i % 3, i / 3, &a);
        read->GetPixel(i % 3, i / 3, &b);
        EXPECT_EQ(a, b) << i;
    }
    // A decoded PNG is written back as the very same bytes.
    EXPECT_EQ(Store([&](Archive& out) { WriteImagePng(out, read.get()); }), bytes);
}

TEST(GraphicsValues, ImageBlockLengths)
{
    // Zero and negative lengths give no picture and consume only the length.
    for (uint32_t length : { 0u, 0xFFFFFFFFu, 0x80000000u }) {
        auto bytes = Concat(U32(length), { 1, 2, 3 });
        MemoryStream stream(bytes);
        Archive ar(stream, ArchiveMode::Load);
        EXPECT_FALSE(ReadImagePng(ar));
        EXPECT_EQ(ar.RemainingBytes(), 3u);
    }
    // A length past the end throws at once, before allocating 2 GiB.
    auto bytes = Concat(U32(0x7FFFFFF0), { 0x89, 'P', 'N', 'G' });
    MemoryStream stream(bytes);
    Archive ar(stream, ArchiveMode::Load);
    try {
        ReadImagePng(ar);
        FAIL() << "a truncated image block was accepted";
    } catch (const ArchiveException& e) {
        EXPECT_EQ(e.GetCause(), ArchiveException::Cause::EndOfFile);
    }
}

TEST(GraphicsValues, UndecodableBytesAreKeptAndWrittenBack)
{
    std::vector<uint8_t> junk = { 'n', 'o', 't', ' ', 'a', ' ', 'p', 'n', 'g' };
    auto bytes = Concat(U32(uint32_t(junk.size())), junk);
    MemoryStream stream(bytes);
    Archive ar(stream, ArchiveMode::Load);
    auto read = ReadImagePng(ar);
    ASSERT_TRUE(read);
    EXPECT_FALSE(read->IsOk());
    EXPECT_EQ(Store([&](Archive& out) { WriteImagePng(out, read.get()); }), bytes);
}

TEST(GraphicsValues, PictureFromAnotherFormatIsStoredAsPng)
{
    std::vector<uint8_t> bmp;
    ASSERT_EQ(EncodeImage(SemiTransparentPicture(), ImageFormat::Bmp, bmp), ImageStatus::Ok);
    auto decoded = std::make_shared<Bitmap>(DecodeImage(bmp));
    ASSERT_TRUE(decoded->IsOk());
    decoded->SetSourceBytes(std::make_shared<std::vector<uint8_t>>(bmp));
    auto bytes = Store([&](Archive& ar) { WriteImagePng(ar, decoded.get()); });
    ASSERT_GT(bytes.size(), 8u);
    EXPECT_EQ(bytes[4], 0x89);
    EXPECT_EQ(bytes[5], 'P');
}

} // namespace kelmora

namespace kelmora {

TEST(GraphicsValues, BuiltInTexturesDecodeAndUnknownIdsGiveNothing)
{
    for (int id = 400; id <= 409; ++id) {
        auto texture = LoadBitmapResource(id);
        ASSERT_TRUE(texture) << id;
        EXPECT_TRUE(texture->IsOk());
        EXPECT_GT(texture->Width(), 0);
    }
    EXPECT_FALSE(LoadBitmapResource(399));
    EXPECT_FALSE(LoadBitmapResource(410));
}

} // namespace kelmora
